// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// What a watched domain's check means: which changes deserve a notice, and
// when the domain is checked next. Only the steps a user can act on are
// announced; passing the expiry date or an unchanged status is not.

#include "lookup/domainstatus.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ostrevo {

// Seconds since 1970, UTC.
using WallTime = std::int64_t;

inline constexpr WallTime DailyCheck = 24 * 3600;
inline constexpr WallTime CloseCheck = 6 * 3600;
// A domain expected to drop within this many days is checked at the closer pace.
inline constexpr int CloseDropDays = 7;

// What one check found, or the state kept from the last one.
struct WatchFinding {
    DomainState state = DomainState::Unknown;
    std::string expires; // "2027/03/04", empty when unknown
    std::string drops;   // the estimated drop day, empty when none
};

enum class WatchNoticeKind { EnteredRedemption, EnteredPendingDelete, Available, Renewed };

struct WatchNotice {
    WatchNoticeKind kind;
    std::string domain;
    std::string text; // one line for the history, the console and the desktop
};

// The notices between the last known finding and a new one; none after a
// first check, which has nothing to compare with. A renewal is a registered
// name whose expiry moved later, or one back from grace or redemption: the
// expiry a registry moves on by itself at the start of the grace is not one.
std::vector<WatchNotice> noticesBetween(std::string_view domain, const std::optional<WatchFinding>& before,
                                        const WatchFinding& after);

// When a domain with this finding is checked next after `now`: in six hours
// while in redemption or pending delete or within a week of its estimated
// drop, else in a day.
WallTime nextCheckAfter(const WatchFinding& finding, WallTime now);

// "2027/03/04": the UTC day of a wall time.
std::string dayOfWallTime(WallTime time);

// A watched name: a registered domain in lower case, ASCII letters, digits,
// hyphens and dots, 253 bytes at most, two labels or more. Empty when `text`
// is none.
std::string watchableDomain(std::string_view text);

} // namespace ostrevo
