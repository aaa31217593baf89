// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "watch/watchrules.h"

#include <gtest/gtest.h>

namespace ostrevo {
namespace {

using K = WatchNoticeKind;
using S = DomainState;

TEST(WatchRules, AnnouncesOnlyActionableSteps)
{
    const struct {
        const char* name;
        std::optional<WatchFinding> before;
        WatchFinding after;
        std::vector<K> kinds;
    } cases[] = {
        {"first check", std::nullopt, {S::PendingDelete, "2027/03/04", ""}, {}},
        {"unchanged", WatchFinding{S::Redemption, "2027/03/04", ""}, {S::Redemption, "2027/03/04", ""}, {}},
        {"passed expiry", WatchFinding{S::Registered, "2027/03/04", ""}, {S::Expired, "2027/03/04", ""}, {}},
        {"grace moves expiry on",
         WatchFinding{S::Registered, "2027/03/04", ""},
         {S::Expired, "2028/03/04", ""},
         {}},
        {"to hold", WatchFinding{S::Registered, "2027/03/04", ""}, {S::OnHold, "2027/03/04", ""}, {}},
        {"redemption",
         WatchFinding{S::Expired, "2027/03/04", ""},
         {S::Redemption, "2027/03/04", ""},
         {K::EnteredRedemption}},
        {"pending delete",
         WatchFinding{S::Redemption, "2027/03/04", ""},
         {S::PendingDelete, "2027/03/04", ""},
         {K::EnteredPendingDelete}},
        {"straight to pending delete",
         WatchFinding{S::Registered, "2027/03/04", ""},
         {S::PendingDelete, "2027/03/04", ""},
         {K::EnteredPendingDelete}},
        {"available",
         WatchFinding{S::PendingDelete, "2027/03/04", ""},
         {S::NotRegistered, "", ""},
         {K::Available}},
        {"still available", WatchFinding{S::NotRegistered, "", ""}, {S::NotRegistered, "", ""}, {}},
        {"registered again is no renewal",
         WatchFinding{S::NotRegistered, "", ""},
         {S::Registered, "2028/06/01", ""},
         {}},
        {"renewed before expiry",
         WatchFinding{S::Registered, "2027/03/04", ""},
         {S::Registered, "2028/03/04", ""},
         {K::Renewed}},
        {"kept after grace",
         WatchFinding{S::Expired, "2028/03/04", ""},
         {S::Registered, "2028/03/04", ""},
         {K::Renewed}},
        {"restored",
         WatchFinding{S::Redemption, "2027/03/04", ""},
         {S::Registered, "2028/03/04", ""},
         {K::Renewed}},
        {"expiry moved earlier",
         WatchFinding{S::Registered, "2028/03/04", ""},
         {S::Registered, "2027/03/04", ""},
         {}},
        {"from an unknown state", WatchFinding{S::Unknown, "", ""}, {S::Redemption, "", ""}, {}},
    };
    for (const auto& c : cases) {
        const std::vector<WatchNotice> notices = noticesBetween("shop.test", c.before, c.after);
        std::vector<K> kinds;
        for (const WatchNotice& notice : notices) {
            kinds.push_back(notice.kind);
            EXPECT_TRUE(notice.text.starts_with("shop.test ")) << notice.text;
        }
        EXPECT_EQ(kinds, c.kinds) << c.name;
    }
}

TEST(WatchRules, ChecksCloserNearTheDrop)
{
    const WallTime now = 1'800'000'000; // 2027/01/15 08:00 UTC
    ASSERT_EQ(dayOfWallTime(now), "2027/01/15");
    const struct {
        WatchFinding finding;
        WallTime after;
    } cases[] = {
        {{S::Registered, "2028/01/01", ""}, DailyCheck},
        {{S::Expired, "2027/01/01", "2027/03/22"}, DailyCheck},
        {{S::Expired, "2026/11/01", "2027/01/22"}, CloseCheck},
        {{S::OnHold, "2026/11/01", "2027/01/10"}, CloseCheck},
        {{S::Redemption, "2026/11/01", ""}, CloseCheck},
        {{S::PendingDelete, "", ""}, CloseCheck},
        {{S::NotRegistered, "", ""}, DailyCheck},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(nextCheckAfter(c.finding, now), now + c.after)
            << stateText(c.finding.state) << c.finding.drops;
    }
}

TEST(WatchRules, TakesOnlyDomainNames)
{
    const struct {
        std::string_view text;
        std::string name;
    } cases[] = {
        {"Example-Shop.COM", "example-shop.com"},
        {"xn--bcher-kva.example", "xn--bcher-kva.example"},
        {"localhost", ""},
        {"-shop.com", ""},
        {"shop-.com", ""},
        {"shop..com", ""},
        {".shop.com", ""},
        {"shop.com.", ""},
        {"shop.com/path", ""},
        {"sh op.com", ""},
        {"", ""},
        {std::string(250, 'a') + ".com", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(watchableDomain(c.text), c.name) << c.text;
    }
}

} // namespace
} // namespace ostrevo
