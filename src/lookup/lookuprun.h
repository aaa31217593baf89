// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// What every lookup run does, whatever it asks: it takes hosts and a stop
// test, and reports the host it asks, its progress, notices and rows. The
// main window shows them; a run without windows can print them.

#include "lookup/domainstatus.h"
#include "lookup/estimate.h"

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace ostrevo {

// What a row says of a host that is not registered, in place of its expiry.
inline constexpr std::string_view NotRegisteredText = "not registered";

// One row of the result table, as a lookup finds it.
struct LookupRow {
    std::string host;    // the DNS name asked for
    std::string email;   // "mailto:" address, the registrar's contact form, or empty
    std::string expires; // "2027/03/04", or "not registered"
    StatusFacts status;  // shown beside the row, never saved with it

    bool hasExpiryDate() const { return !expires.empty() && expires != NotRegisteredText; }
};

struct LookupHooks {
    std::function<void(const std::string& host)> asking; // the host being asked now
    std::function<void(std::size_t hostsDone)> progress; // hosts finished so far
    std::function<void(std::size_t host)> hostDone;      // hosts[host] got its answer
    std::function<void(std::size_t host)> noAnswer;      // hosts[host] went unanswered, retries spent
    std::function<void(const LookupRow&)> row;
    std::function<void(const std::string&)> notice; // a warning that stays until the next run
    std::function<bool()> stopped;                  // tested after every wait
    // The proxy failed (the message names it): the run holds its place and
    // asks whether to try again (true) or stop (false). Without it, it stops.
    std::function<bool(const std::string& message)> proxyFailed;
    // Optional: start nothing new, end once what is under way is answered.
    std::function<bool()> windingDown = {};
};

class LookupRun {
public:
    virtual ~LookupRun() = default;

    // Looks every host up in turn; true when the list is done, false when
    // `stopped` ended the run.
    virtual bool run(const std::vector<std::string>& hosts, const LookupHooks& hooks) = 0;
    // Time left for the hosts not yet done, from the run's own pace.
    virtual Duration remaining(int hosts, int done) const = 0;
};

} // namespace ostrevo
