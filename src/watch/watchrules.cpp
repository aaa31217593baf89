// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "watch/watchrules.h"

#include <chrono>
#include <cstdio>

namespace ostrevo {

namespace {

bool expiryMovedLater(const WatchFinding& before, const WatchFinding& after)
{
    const std::optional<int> moved = daysBetween(before.expires, after.expires);
    return moved && *moved > 0;
}

} // namespace

std::vector<WatchNotice> noticesBetween(std::string_view domain, const std::optional<WatchFinding>& before,
                                        const WatchFinding& after)
{
    std::vector<WatchNotice> notices;
    if (!before || before->state == DomainState::Unknown) {
        return notices;
    }
    const std::string name(domain);
    const auto entered = [&](DomainState state) { return after.state == state && before->state != state; };
    if (entered(DomainState::Redemption)) {
        notices.push_back(
            {WatchNoticeKind::EnteredRedemption, name,
             name + " entered redemption" + (after.drops.empty() ? "" : ", drops about " + after.drops)});
    }
    if (entered(DomainState::PendingDelete)) {
        notices.push_back(
            {WatchNoticeKind::EnteredPendingDelete, name,
             name + " entered pending delete" + (after.drops.empty() ? "" : ", drops about " + after.drops)});
    }
    if (entered(DomainState::NotRegistered)) {
        notices.push_back({WatchNoticeKind::Available, name, name + " is not registered: available now"});
    }
    const bool backFromDropping =
        before->state == DomainState::Expired || before->state == DomainState::Redemption;
    if (after.state == DomainState::Registered && (expiryMovedLater(*before, after) || backFromDropping) &&
        before->state != DomainState::NotRegistered) {
        notices.push_back(
            {WatchNoticeKind::Renewed, name,
             name + " was renewed" + (after.expires.empty() ? "" : ": expires " + after.expires)});
    }
    return notices;
}

WallTime nextCheckAfter(const WatchFinding& finding, WallTime now)
{
    const bool dropping =
        finding.state == DomainState::Redemption || finding.state == DomainState::PendingDelete;
    const std::optional<int> daysToDrop = daysBetween(dayOfWallTime(now), finding.drops);
    const bool dropSoon = daysToDrop && *daysToDrop <= CloseDropDays;
    return now + (dropping || dropSoon ? CloseCheck : DailyCheck);
}

std::string dayOfWallTime(WallTime time)
{
    const std::chrono::sys_days day =
        std::chrono::floor<std::chrono::days>(std::chrono::sys_seconds(std::chrono::seconds(time)));
    const std::chrono::year_month_day ymd(day);
    char text[16];
    std::snprintf(text, sizeof text, "%04d/%02u/%02u", static_cast<int>(ymd.year()),
                  static_cast<unsigned>(ymd.month()), static_cast<unsigned>(ymd.day()));
    return text;
}

std::string watchableDomain(std::string_view text)
{
    constexpr std::size_t MaxDomainBytes = 253;
    if (text.empty() || text.size() > MaxDomainBytes) {
        return {};
    }
    std::string name;
    bool labelStart = true;
    for (const char c : text) {
        const char l = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
        const bool letterOrDigit = (l >= 'a' && l <= 'z') || (l >= '0' && l <= '9');
        if (l == '.') {
            if (labelStart || name.back() == '-') {
                return {};
            }
            labelStart = true;
        } else if (letterOrDigit || (l == '-' && !labelStart)) {
            labelStart = false;
        } else {
            return {};
        }
        name += l;
    }
    if (labelStart || name.back() == '-' || name.find('.') == std::string::npos) {
        return {};
    }
    return name;
}

} // namespace ostrevo
