// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// Plays an RDAP lookup run: starts each request its plan allows, hands the
// answers back, and reports finished hosts, with window messages flowing and
// without spinning while it waits.

#include "lookup/rdaprun.h"

#include <functional>
#include <string>

namespace ostrevo {

class EventPump;
class RdapClient;

struct RdapLookupHooks {
    std::function<void(std::size_t host)> asking;        // a request for this host starts
    std::function<void(const RdapHostResult&)> hostDone; // in the order hosts finish
    std::function<bool()> stopped;                       // tested after every message pass
    // The proxy failed: the run holds every host's place and asks whether to
    // try again (true) or stop (false). Without it, the run stops.
    std::function<bool(const std::string& message)> proxyFailed;
    // Optional: no new request starts; the run ends once those in flight are answered.
    std::function<bool()> windingDown = {};
};

// True when every host is done; false when `stopped` ended the run, every
// request in flight dropped, or when it wound down.
bool playRdapRun(RdapRun& run, RdapClient& client, EventPump& pump, const RdapLookupHooks& hooks);

} // namespace ostrevo
