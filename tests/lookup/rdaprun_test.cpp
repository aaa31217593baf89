// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "lookup/rdaprun.h"

#include "rdapfixtures.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>

namespace ostrevo {
namespace {

using namespace test;

struct Served {
    long status = 200;
    std::string body;
    std::optional<std::int64_t> retryAfterMs = {};
    bool overHttps = false;
};

struct Started {
    std::int64_t at;
    std::string url;
    Served served;
};

// Plays the run to its end on a simulated clock: every request is answered
// `latencyMs` after it starts, by `serve` (given the URL and how often it was asked).
struct Simulation {
    std::vector<Started> started;
    std::map<std::string, RdapHostResult> results; // by host name
    std::int64_t endMs = 0;
};

Simulation simulate(RdapRun& run, const std::function<Served(const std::string&, int)>& serve,
                    std::int64_t latencyMs = 10)
{
    Simulation sim;
    std::multimap<std::int64_t, std::pair<RdapRequest, Served>> pending;
    std::map<std::string, int> asked;
    std::int64_t now = 0;
    for (int step = 0; step < 100000 && !run.finished(); ++step) {
        while (!pending.empty() && pending.begin()->first <= now) {
            const auto& [request, served] = pending.begin()->second;
            run.answered(request.id, served.status, served.body, served.retryAfterMs, now, served.overHttps);
            pending.erase(pending.begin());
        }
        while (auto request = run.nextRequest(now)) {
            const Served served = serve(request->url, asked[request->url]++);
            sim.started.push_back({now, request->url, served});
            pending.emplace(now + latencyMs, std::pair{*request, served});
        }
        for (RdapHostResult& result : run.takeResults()) {
            sim.results[run.hostName(result.host)] = result;
        }
        std::optional<std::int64_t> next = run.nextStartMs();
        if (!pending.empty()) {
            next = std::min(next.value_or(pending.begin()->first), pending.begin()->first);
        }
        if (!next) {
            break;
        }
        now = std::max(now, *next);
    }
    for (RdapHostResult& result : run.takeResults()) {
        sim.results[run.hostName(result.host)] = result;
    }
    sim.endMs = now;
    return sim;
}

RdapServers twoRegistries()
{
    RdapServers servers;
    servers.add("com", "https://registry.test/com/");
    servers.add("org", "https://other-registry.test/");
    return servers;
}

std::vector<std::int64_t> startTimes(const Simulation& sim, std::string_view server)
{
    std::vector<std::int64_t> times;
    for (const Started& s : sim.started) {
        if (s.url.rfind(server, 0) == 0) {
            times.push_back(s.at);
        }
    }
    return times;
}

TEST(RdapRun, CombinesRegistryAndRegistrarAnswers)
{
    const std::string registrar = "https://registrar.test/domain/";
    RdapRun run({"mail.com", "form.com", "both.com", "thin.org", "gone.com", "nosuch.info", "bad/name.com",
                 "silent.com", "flaky.com"},
                twoRegistries(), {.requestsPerSecond = 100});
    const Simulation sim = simulate(run, [&](const std::string& url, int asked) -> Served {
        const std::string host = url.substr(url.rfind('/') + 1);
        if (url.rfind(registrar, 0) == 0) {
            if (host == "mail.com") {
                return {200, registrarAnswer(host, withEmail("owner@mail.test"), "registrant", "2030-01-01")};
            }
            if (host == "form.com") {
                return {200, registrarAnswer(host, R"(, "contact_URI": "https://registrar.test/form")")};
            }
            if (host == "flaky.com") {
                return {asked == 0 ? 500L : 200L, registrarAnswer(host, withEmail("late@flaky.test"))};
            }
            return {500, ""}; // both.com: the registrar never answers
        }
        if (host == "gone.com") {
            return {404, ""};
        }
        if (host == "silent.com") {
            return {0, ""};
        }
        if (host == "thin.org") {
            return {200,
                    registrarAnswer(host, withEmail("org@thick.test"), "registrant", "2029-05-06T00:00:00Z")};
        }
        return {200, registryAnswer(host, "2027-03-04T18:20:01Z", registrar + host)};
    });
    struct Expected {
        const char* host;
        RdapHostOutcome outcome;
        const char* email;
        const char* form;
        const char* expires;
    };
    const Expected expected[] = {
        {"mail.com", RdapHostOutcome::Row, "owner@mail.test", "", "2027/03/04"}, // the registry's expiry wins
        {"form.com", RdapHostOutcome::Row, "", "https://registrar.test/form", "2027/03/04"},
        {"both.com", RdapHostOutcome::Row, "", "", "2027/03/04"}, // the registry's row stands
        {"thin.org", RdapHostOutcome::Row, "org@thick.test", "", "2029/05/06"},
        {"gone.com", RdapHostOutcome::NotRegistered, "", "", ""},
        {"nosuch.info", RdapHostOutcome::NoAnswer, "", "", ""},
        {"bad/name.com", RdapHostOutcome::NoAnswer, "", "", ""},
        {"silent.com", RdapHostOutcome::NoAnswer, "", "", ""},
        {"flaky.com", RdapHostOutcome::Row, "late@flaky.test", "", "2027/03/04"},
    };
    ASSERT_EQ(sim.results.size(), std::size(expected));
    for (const Expected& e : expected) {
        SCOPED_TRACE(e.host);
        const RdapHostResult& result = sim.results.at(e.host);
        EXPECT_EQ(result.outcome, e.outcome);
        EXPECT_EQ(result.email, e.email);
        EXPECT_EQ(result.contactForm, e.form);
        EXPECT_EQ(result.expires, e.expires);
    }
    // A failure is asked once more, never a third time.
    EXPECT_EQ(std::count_if(sim.started.begin(), sim.started.end(),
                            [](const Started& s) { return s.url.ends_with("/silent.com"); }),
              2);
    EXPECT_TRUE(run.finished());
    EXPECT_EQ(run.hostsDone(), 9U);
}

TEST(RdapRun, PacesEachServerAndRunsServersSideBySide)
{
    std::vector<std::string> hosts;
    for (int i = 0; i < 20; ++i) {
        hosts.push_back("h" + std::to_string(i) + (i % 2 == 0 ? ".com" : ".org"));
    }
    RdapRun run(hosts, twoRegistries(), {.requestsPerSecond = 4, .maxInFlight = 3});
    const Simulation sim = simulate(
        run,
        [](const std::string& url, int) {
            return Served{200, registryAnswer(url, "2027-01-01", "")};
        },
        600);
    for (const char* server : {"https://registry.test/", "https://other-registry.test/"}) {
        const std::vector<std::int64_t> times = startTimes(sim, server);
        ASSERT_EQ(times.size(), 10U);
        EXPECT_EQ(times.front(), 0) << server; // both servers start at once
        for (std::size_t i = 1; i < times.size(); ++i) {
            EXPECT_GE(times[i] - times[i - 1], 250) << server;
        }
    }
    // Three in flight at most: answers take 600 ms, so the pace is held back by them.
    EXPECT_GE(sim.endMs, 20 / 3 * 600);
    EXPECT_EQ(sim.results.size(), 20U);
}

TEST(RdapRun, AServerKeepsItsCadenceWhenTheCallerWakesLate)
{
    std::vector<std::string> hosts;
    for (int i = 0; i < 6; ++i) {
        hosts.push_back("h" + std::to_string(i) + ".com");
    }
    RdapRun run(hosts, twoRegistries(), {.requestsPerSecond = 4});
    // The caller asks at each slot's time plus its lateness; a request answers at once.
    const struct {
        std::int64_t askAt;
        bool starts;
    } steps[] = {
        {0, true},    // slots 0, 250, 500, ...
        {330, true},  // 80 late
        {499, false}, // before its slot
        {500, true},  // its own slot: no later for the late one before
        {880, true},  // 130 late, more than half an interval: the slots move
        {1129, false}, {1130, true},
    };
    for (const auto& step : steps) {
        const std::optional<RdapRequest> request = run.nextRequest(step.askAt);
        EXPECT_EQ(request.has_value(), step.starts) << step.askAt;
        if (request) {
            run.answered(request->id, 404, "", std::nullopt, step.askAt);
        }
    }
}

TEST(RdapRun, BusyServerIsLeftAloneAndTheHostKeepsItsPlace)
{
    RdapRun run({"a.com", "b.com", "c.org"}, twoRegistries(),
                {.requestsPerSecond = 100, .maxBusyAnswers = 3});
    const Simulation sim = simulate(run, [](const std::string& url, int asked) -> Served {
        if (url.ends_with("/a.com") && asked == 0) {
            return {429, "", 3000};
        }
        if (url.ends_with("/a.com") && asked < 3) {
            return {503, ""}; // no Retry-After: 2 s, then 4 s
        }
        if (url.ends_with("/c.org")) {
            return {429, "", 1};
        }
        return {200, registryAnswer(url, "2027-01-01", "")};
    });
    const std::vector<std::int64_t> times = startTimes(sim, "https://registry.test/");
    // a.com at 0, answered busy at 10 before b.com's turn; a.com again after
    // 3 s, 2 s and 4 s pauses (each from its answer), answered; then b.com.
    EXPECT_EQ(times, (std::vector<std::int64_t>{0, 3010, 5020, 9030, 9040}));
    EXPECT_EQ(sim.results.at("a.com").outcome, RdapHostOutcome::Row);
    // Always busy: counted as unanswered once the bound is passed, asked once more, then given up.
    EXPECT_EQ(sim.results.at("c.org").outcome, RdapHostOutcome::NoAnswer);
    EXPECT_EQ(startTimes(sim, "https://other-registry.test/").size(), 5U);
}

// Every request to registry.test starts after the pause each earlier busy answer asked for.
TEST(RdapRun, RetryAfterHoldsForEveryLaterRequest)
{
    const std::string registrar = "HTTPS://Registry.Test:443/registrar/";
    struct Case {
        const char* name;
        int maxBusyAnswers;
        std::vector<Served> aAnswers; // the last one repeats
        RdapHostOutcome a;
        RdapHostOutcome b;
    };
    const Case cases[] = {
        {"busy too often to keep its place",
         0,
         {{429, "", 1000}, {200, ""}},
         RdapHostOutcome::Row,
         RdapHostOutcome::Row},
        {"busy, then failing",
         8,
         {{503, "", 1000}, {500, ""}, {429, "", 1500}, {200, ""}},
         RdapHostOutcome::Row,
         RdapHostOutcome::Row},
        {"busy too often without Retry-After",
         0,
         {{503, ""}, {200, ""}},
         RdapHostOutcome::Row,
         RdapHostOutcome::Row},
        // Nothing more is asked there; b.com's registry row, answered already, stands.
        {"asks for longer than the run waits",
         8,
         {{429, "", 300'000}},
         RdapHostOutcome::NoAnswer,
         RdapHostOutcome::Row},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RdapRun run({"a.com", "b.com", "c.org"}, twoRegistries(),
                    {.requestsPerSecond = 10, .maxBusyAnswers = c.maxBusyAnswers, .maxPauseMs = 60'000});
        // Answers take 300 ms: b.com's answer, and its registrar link, come while a.com's pause holds.
        const Simulation sim = simulate(
            run,
            [&](const std::string& url, int asked) -> Served {
                const std::string host = url.substr(url.rfind('/') + 1);
                if (host == "a.com") {
                    Served served = c.aAnswers[std::min<std::size_t>(asked, c.aAnswers.size() - 1)];
                    served.body = registryAnswer(host, "2027-01-01", "");
                    return served;
                }
                // b.com's registrar is registry.test itself, spelled otherwise.
                return {200, registryAnswer(host, "2027-01-01", host == "b.com" ? registrar + host : "")};
            },
            300);
        for (std::size_t busy = 0; busy < sim.started.size(); ++busy) {
            const Started& answer = sim.started[busy];
            if (answer.served.status != 429 && answer.served.status != 503) {
                continue;
            }
            const std::int64_t answeredAt = answer.at + 300;
            const std::int64_t wait = answer.served.retryAfterMs.value_or(2000);
            for (const Started& later : sim.started) {
                if (later.at >= answeredAt && later.url.find(".org") == std::string::npos) {
                    EXPECT_GE(later.at, answeredAt + wait) << later.url;
                }
            }
        }
        EXPECT_EQ(sim.results.at("a.com").outcome, c.a);
        EXPECT_EQ(sim.results.at("b.com").outcome, c.b);
        EXPECT_EQ(sim.results.at("c.org").outcome, RdapHostOutcome::Row); // another server goes on
    }
}

TEST(RdapRun, RegistrarLinkNeverTakesAnHttpsLookupToHttp)
{
    struct Case {
        const char* registry;
        bool redirectedToHttps;
        const char* registrar;
        bool followed;
    };
    const Case cases[] = {
        {"https://registry.test/", false, "http://registrar.test/", false},
        {"https://registry.test/", false, "https://registrar.test/", true},
        {"http://registry.test/", false, "http://registrar.test/", true},
        {"http://registry.test/", false, "https://registrar.test/", true},
        {"http://registry.test/", true, "http://registrar.test/", false},
        {"http://registry.test/", true, "HTTPS://registrar.test/", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.registry) + " -> " + c.registrar);
        RdapServers servers;
        servers.add("com", c.registry);
        RdapRun run({"a.com"}, servers, {.requestsPerSecond = 100});
        const Simulation sim = simulate(run, [&](const std::string& url, int) -> Served {
            if (url.find("registrar.test") != std::string::npos) {
                return {200, registrarAnswer("a.com", withEmail("owner@a.test"))};
            }
            return {200,
                    registryAnswer("a.com", "2027-01-01", std::string(c.registrar) + "domain/a.com"),
                    {},
                    c.redirectedToHttps};
        });
        EXPECT_EQ(sim.started.size(), c.followed ? 2U : 1U);
        const RdapHostResult& result = sim.results.at("a.com");
        EXPECT_EQ(result.outcome, RdapHostOutcome::Row); // the registry's row stands either way
        EXPECT_EQ(result.email, c.followed ? "owner@a.test" : "");
        EXPECT_EQ(result.expires, "2027/01/01");
    }
}

} // namespace
} // namespace ostrevo
