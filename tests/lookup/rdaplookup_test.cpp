// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "lookup/rdapclient.h"
#include "lookup/rdaplookup.h"
#include "platform/eventpump.h"
#include "platform/ticksource.h"

#include "rdaptestservers.h"

#include <gtest/gtest.h>

#include <map>

namespace ostrevo {
namespace {

using test::RdapTestServers;

struct Played {
    bool completed = false;
    std::map<std::string, RdapHostResult> results;
    int asked = 0;
};

Played play(
    RdapTestServers& servers, std::vector<std::string> hosts, RdapClientLimits limits,
    std::function<bool(int asked)> stopped = [](int) { return false; },
    std::function<bool(int asked)> windingDown = {})
{
    SteadyTickSource ticks;
    EventPump pump(ticks);
    RdapClient client(limits);
    RdapRun run(std::move(hosts), *readRdapBootstrap(servers.bootstrap()), {.requestsPerSecond = 50});
    Played played;
    played.completed =
        playRdapRun(run, client, pump,
                    {[&](std::size_t) { ++played.asked; },
                     [&](const RdapHostResult& r) { played.results[run.hostName(r.host)] = r; },
                     [&] { return stopped(played.asked); },
                     {},
                     [&] { return windingDown && windingDown(played.asked); }});
    return played;
}

TEST(RdapLookup, EveryKindOfAnswerOverHttp)
{
    RdapTestServers servers(2);
    struct Expected {
        const char* host;
        RdapHostOutcome outcome;
        std::string email;
        std::string form;
        const char* expires;
    };
    const Expected expected[] = {
        {"mail-a.com", RdapHostOutcome::Row, "owner@mail-a.com", "", "2027/03/04"},
        {"privacy-a.net", RdapHostOutcome::Row, "c0ffee@privacy-proxy.test", "", "2027/03/04"},
        {"form-a.com", RdapHostOutcome::Row, "", "https://registrar.test/contact/form-a.com", "2027/03/04"},
        {"member-a.com", RdapHostOutcome::Row, "", "https://registrar.test/whois/member-a.com", "2027/03/04"},
        {"cases-a.com", RdapHostOutcome::Row, "owner@cases-a.com", "", "2031/07/08"},
        {"noexpiry-a.org", RdapHostOutcome::Row, "", "", ""},
        {"busy-a.com", RdapHostOutcome::Row, "owner@busy-a.com", "", "2027/03/04"},
        {"gone-a.com", RdapHostOutcome::NotRegistered, "", "", ""},
        {"missing-a.org", RdapHostOutcome::NotRegistered, "", "", ""},
        {"error-a.com", RdapHostOutcome::NoAnswer, "", "", ""},
        {"stall-a.com", RdapHostOutcome::NoAnswer, "", "", ""},
        {"malformed-a.com", RdapHostOutcome::NoAnswer, "", "", ""},
        {"huge-a.com", RdapHostOutcome::NoAnswer, "", "", ""},
        {"html-a.com", RdapHostOutcome::NoAnswer, "", "", ""},
        {"a.info", RdapHostOutcome::NoAnswer, "", "", ""},
    };
    std::vector<std::string> hosts;
    for (const Expected& e : expected) {
        hosts.emplace_back(e.host);
    }
    const Played played = play(servers, hosts, {.deadline = std::chrono::milliseconds(700)});
    EXPECT_TRUE(played.completed);
    ASSERT_EQ(played.results.size(), hosts.size());
    for (const Expected& e : expected) {
        SCOPED_TRACE(e.host);
        const RdapHostResult& result = played.results.at(e.host);
        EXPECT_EQ(result.outcome, e.outcome);
        EXPECT_EQ(result.email, e.email);
        EXPECT_EQ(result.contactForm, e.form);
        EXPECT_EQ(result.expires, e.expires);
    }
    // The busy host was asked again, and only after the second its server asked for.
    const std::vector<std::string> asked = servers.registry().requests();
    EXPECT_EQ(std::count(asked.begin(), asked.end(), "/domain/busy-a.com"), 2);
}

TEST(RdapLookup, StopEndsTheRunAtOnce)
{
    RdapTestServers servers(1, 2000);
    const auto started = std::chrono::steady_clock::now();
    const Played played = play(servers, {"a.com", "b.com", "c.com"}, {}, [](int asked) { return asked > 0; });
    EXPECT_FALSE(played.completed);
    EXPECT_TRUE(played.results.empty());
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::milliseconds(1500));
}

TEST(RdapLookup, WindingDownWaitsForTheAnswersUnderWayAndAsksNothingMore)
{
    RdapTestServers servers(1, 300);
    // Four hosts asked at once at the registry (nobody holds them: its answer
    // finishes each); winding down from then on.
    const Played played = play(
        servers, {"gone-a.com", "gone-b.com", "gone-c.com", "gone-d.com", "gone-e.com", "gone-f.com"}, {},
        [](int) { return false; }, [](int asked) { return asked >= 4; });
    EXPECT_FALSE(played.completed);
    EXPECT_EQ(played.asked, 4);
    EXPECT_EQ(servers.registry().requests().size(), 4u);
    EXPECT_EQ(played.results.size(), 4u) << "the answers under way were waited for";
}

} // namespace
} // namespace ostrevo
