// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "watch/watchrecording.h"

namespace ostrevo {

std::vector<WatchNotice> recordWatchResult(WatchStore& store, const std::string& name,
                                           const RdapHostResult& result, WallTime now)
{
    const std::optional<WatchedDomain> known = store.domain(name);
    if (!known) {
        return {};
    }
    if (result.outcome == RdapHostOutcome::NoAnswer) {
        store.recordMissed(name, now, nextCheckAfter(known->finding.value_or(WatchFinding{}), now));
        return {};
    }

    WatchCheck check{name, now, {}, {}, {}, {}, 0};
    if (result.outcome == RdapHostOutcome::NotRegistered) {
        check.finding.state = DomainState::NotRegistered;
    } else {
        const std::string today = dayOfWallTime(now);
        check.finding.state = summarizeStatus(result.status, today);
        check.finding.expires = result.expires;
        if (const std::optional<DropEstimate> estimate =
                estimateDrop(check.finding.state, result.status, today)) {
            check.finding.drops = estimate->day;
            check.dropAssumed = estimate->assumed;
        }
        check.statusWords = result.status.words;
    }
    check.notices = noticesBetween(name, known->finding, check.finding);
    check.nextCheck = nextCheckAfter(check.finding, now);
    store.recordCheck(check);
    return check.notices;
}

} // namespace ostrevo
