// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "rechercheweb/searchrun.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

namespace ostrevo {
namespace {

// A loader that is idle unless told otherwise and serves a fixed page.
class StubLoader final : public PageLoader {
public:
    void SetVisible(bool show) override { visible = show; }
    void SetSilent(bool quiet) override { silent = quiet; }
    bool Busy() const override { return busy; }
    bool TimedOut() const override { return false; }
    void Navigate(const std::string& url) override { urls.push_back(url); }
    std::string PageText() override
    {
        ++reads;
        if (duringRead) {
            duringRead();
        }
        return page;
    }
    std::vector<std::string> LinkTargets(const std::vector<std::string>&) override { return targets; }
    int HttpStatus() const override { return status; }
    std::string RetryAfter() override { return retryAfter; }
    ProxyFailure ProxyFailureOfLoad() const override { return proxyFailure; }
    std::string LocationURL() const override
    {
        return location.empty() && !urls.empty() ? urls.back() : location;
    }

    // A load ends with this page.
    void finish(std::string text, int withStatus = 200, std::string at = {})
    {
        page = std::move(text);
        status = withStatus;
        location = std::move(at);
        OnDocumentComplete();
    }

    bool visible = true;
    bool silent = false;
    bool busy = false;
    std::string page;
    int status = 200;
    std::string location;
    std::string retryAfter;
    ProxyFailure proxyFailure = ProxyFailure::None;
    std::vector<std::string> targets;
    int reads = 0;
    std::function<void()> duringRead;
    std::vector<std::string> urls;
};

struct Made {
    std::vector<StubLoader*> loaders;
    SearchRun::LoaderFactory factory()
    {
        return [this] {
            auto loader = std::make_unique<StubLoader>();
            loaders.push_back(loader.get());
            return loader;
        };
    }
};

EngineEntry engine(const std::string& name, const std::string& cutMarker = {})
{
    return {name, "http://" + name + ".test/?q=", "&n=", "0", "10", cutMarker};
}

TEST(SearchRun, LoadersAreHiddenSilentAndRefuseNewWindows)
{
    Made made;
    SearchRun run({engine("a"), engine("b")}, made.factory());
    ASSERT_EQ(made.loaders.size(), 2u);
    for (StubLoader* loader : made.loaders) {
        EXPECT_FALSE(loader->visible);
        EXPECT_TRUE(loader->silent);
        bool cancel = false;
        loader->OnNewWindow2(cancel);
        EXPECT_TRUE(cancel);
    }
}

TEST(SearchRun, BusyLoaderSkipsItsTurn)
{
    Made made;
    SearchRun run({engine("a")}, made.factory());
    UrlList urls;
    made.loaders[0]->busy = true;
    EXPECT_FALSE(run.takeTurn(0, "k", urls));
    EXPECT_TRUE(run.nothingDue());
    EXPECT_TRUE(made.loaders[0]->urls.empty());
    made.loaders[0]->busy = false;
    EXPECT_TRUE(run.takeTurn(0, "k", urls));
    EXPECT_EQ(made.loaders[0]->urls, std::vector<std::string>{"http://a.test/?q=k&n=0"});
}

TEST(SearchRun, CutMarkersOfAnyEngineApplyToEveryPage)
{
    for (const bool withMarker : {false, true}) {
        Made made;
        SearchRun run({engine("a", withMarker ? " - Cached" : ""), engine("b")}, made.factory());
        EXPECT_EQ(run.cutMarkers().size(), withMarker ? 1u : 0u);
        UrlList urls;
        made.loaders[1]->page = "Result - Cached http://www.second.com/\r\n";
        run.takeTurn(1, "k", urls);
        run.takeTurn(1, "k", urls);
        EXPECT_EQ(urls.count(), withMarker ? 0 : 1) << withMarker;
    }
}

TEST(SearchRun, APageTheProxyFailedHoldsItsEngineUntilToldToTryAgain)
{
    Made made;
    SearchRun run({engine("a"), engine("b")}, made.factory());
    UrlList urls;
    run.takeTurn(0, "k", urls);
    run.takeTurn(1, "k", urls);
    made.loaders[0]->proxyFailure = ProxyFailure::Refused;
    // The browser's own error page is no result page, no refusal and no emptiness.
    made.loaders[0]->page = "This site can't be reached http://www.error.com/\r\n";
    EXPECT_TRUE(run.takeTurn(0, "k", urls));
    EXPECT_EQ(run.state(0), EngineState::ProxyFailed);
    EXPECT_EQ(run.proxyFailure(0), ProxyFailure::Refused);
    EXPECT_EQ(run.pageUrl(0), "http://a.test/?q=k&n=0");
    EXPECT_TRUE(urls.isEmpty());
    EXPECT_FALSE(run.takeTurn(0, "k", urls));
    EXPECT_FALSE(run.allDone());

    made.loaders[0]->proxyFailure = ProxyFailure::None;
    run.retryAfterProxyFailure();
    EXPECT_EQ(run.state(0), EngineState::Paging);
    EXPECT_EQ(run.state(1), EngineState::Paging);
    EXPECT_EQ(made.loaders[0]->urls,
              (std::vector<std::string>{"http://a.test/?q=k&n=0", "http://a.test/?q=k&n=0"}));
    EXPECT_EQ(made.loaders[1]->urls.size(), 1u);
}

TEST(SearchRun, RunCancelledWhileAPageIsReadStopsThere)
{
    Made made;
    SearchRun run({engine("a")}, made.factory());
    UrlList urls;
    run.takeTurn(0, "k", urls);
    made.loaders[0]->page = "http://www.found.com/\r\n";
    made.loaders[0]->duringRead = [&run] { run.cancel(); };
    EXPECT_TRUE(run.takeTurn(0, "k", urls));
    EXPECT_TRUE(urls.isEmpty());
    EXPECT_EQ(made.loaders[0]->urls.size(), 1u);
}

TEST(SearchRun, LoadersGoToTheReleaseWhenTheRunEnds)
{
    Made made;
    std::vector<PageLoader*> released;
    {
        SearchRun run({engine("a"), engine("b")}, made.factory(),
                      [&](std::unique_ptr<PageLoader> loader) { released.push_back(loader.get()); });
    }
    EXPECT_EQ(released, (std::vector<PageLoader*>{made.loaders[0], made.loaders[1]}));
}

// One engine on a clock the test moves.
class EngineRun : public ::testing::Test {
protected:
    EngineRun() : run({engine("a")}, made.factory(), {}, [this] { return now; }), loader(*made.loaders[0]) {}

    // Takes turns until the loader is sent somewhere; the URL's offset, or
    // "" when the engine stayed put.
    std::string turnsUntilNavigation(int turns = 1)
    {
        const std::size_t before = loader.urls.size();
        for (int i = 0; i < turns && loader.urls.size() == before; ++i) {
            run.takeTurn(0, "k", urls);
        }
        return loader.urls.size() == before ? ""
                                            : loader.urls.back().substr(loader.urls.back().rfind('=') + 1);
    }

    std::uint32_t now = 1000;
    Made made;
    SearchRun run;
    StubLoader& loader;
    UrlList urls;
};

std::string results(int page)
{
    const std::string n = std::to_string(page);
    return "First http://www.first-" + n + ".com/\r\nSecond https://second-" + n + ".net/\r\n";
}

TEST_F(EngineRun, RunsOutAfterThreePagesWithoutNewEntries)
{
    EXPECT_EQ(turnsUntilNavigation(), "0");
    loader.page = results(0);
    EXPECT_EQ(turnsUntilNavigation(), "10");
    // Results already listed and a mention of a captcha: still result pages.
    loader.page = results(0) + "How to solve a captcha\r\n";
    EXPECT_EQ(turnsUntilNavigation(), "20");
    EXPECT_EQ(turnsUntilNavigation(), "30");
    // A page that never changes is read once the settle wait is over.
    loader.page = "No more results";
    EXPECT_EQ(turnsUntilNavigation(), "");
    now += SearchRun::kSettleLimitMs - SearchRun::kSettlePollMs;
    EXPECT_EQ(turnsUntilNavigation(), "");
    EXPECT_EQ(run.state(0), EngineState::Paging);
    now += SearchRun::kSettlePollMs;
    EXPECT_EQ(turnsUntilNavigation(), "");
    EXPECT_EQ(run.state(0), EngineState::NoMoreResults);
    EXPECT_TRUE(run.allDone());
    EXPECT_TRUE(run.nothingDue());
    EXPECT_FALSE(run.takeTurn(0, "k", urls));
    EXPECT_EQ(urls.count(), 2);
}

TEST_F(EngineRun, RefusalsRestLongerEachTimeThenTheEngineIsGivenUp)
{
    turnsUntilNavigation();
    for (const std::uint32_t rest : {30000u, 60000u, 120000u}) {
        loader.finish("Too many requests", 429);
        EXPECT_EQ(turnsUntilNavigation(), "");
        EXPECT_EQ(run.state(0), EngineState::Resting);
        EXPECT_EQ(run.restLeftMs(0), rest);
        EXPECT_EQ(run.lastHttpStatus(0), 429);
        now += rest - 1;
        EXPECT_TRUE(run.nothingDue());
        now += 1;
        EXPECT_EQ(turnsUntilNavigation(), "0") << "the same page again";
    }
    loader.finish("Forbidden", 403);
    EXPECT_EQ(turnsUntilNavigation(), "");
    EXPECT_EQ(run.state(0), EngineState::Blocked);
    EXPECT_TRUE(run.allDone());

    // The time the engine names, within bounds; only with a refusal status.
    const struct {
        std::string retryAfter;
        int status;
        std::uint32_t rest;
    } named[] = {{"7", 429, 7000}, {"0", 503, 1000}, {"86400", 403, 3600000}, {"7", 200, 30000}};
    for (const auto& c : named) {
        SearchRun other({engine("c")}, made.factory(), {}, [this] { return now; });
        StubLoader& loaderC = *made.loaders.back();
        other.takeTurn(0, "k", urls);
        loaderC.retryAfter = c.retryAfter;
        loaderC.finish("Our systems noticed automated queries", c.status);
        other.takeTurn(0, "k", urls);
        EXPECT_EQ(other.restLeftMs(0), c.rest) << c.retryAfter << " " << c.status;
    }

    // Results in between start the count afresh.
    SearchRun again({engine("b")}, made.factory(), {}, [this] { return now; });
    StubLoader& other = *made.loaders.back();
    again.takeTurn(0, "k", urls);
    for (int i = 0; i < 5; ++i) {
        other.finish("Too many requests", 503);
        again.takeTurn(0, "k", urls);
        now += 200000;
        again.takeTurn(0, "k", urls);
        other.finish(results(i));
        again.takeTurn(0, "k", urls);
    }
    EXPECT_EQ(again.state(0), EngineState::Paging);
    EXPECT_EQ(again.refusals(0), 0);
}

TEST_F(EngineRun, CheckWaitsForTheUserThenGoesOnFromItsPage)
{
    turnsUntilNavigation();
    loader.finish(results(0));
    turnsUntilNavigation();
    loader.finish("Are you a robot?", 429, "https://www.a.test/sorry/index");
    EXPECT_EQ(turnsUntilNavigation(), "");
    EXPECT_EQ(run.state(0), EngineState::CheckNeeded);
    EXPECT_EQ(run.firstWaitingForUser(), 0);
    // No new page: nothing to look at, however long the user takes.
    now += 600000;
    EXPECT_TRUE(run.nothingDue());
    // A wrong answer shows the check again; the consent page comes next.
    loader.finish("Are you a robot? Try again.");
    EXPECT_EQ(turnsUntilNavigation(), "");
    loader.finish("", 200, "https://consent.a.test/");
    EXPECT_EQ(turnsUntilNavigation(), "");
    EXPECT_EQ(run.state(0), EngineState::ConsentNeeded);
    // Answered, the engine lands on its home page: the page it was on again.
    loader.finish("Welcome to A", 200, "https://www.a.test/");
    EXPECT_EQ(turnsUntilNavigation(), "10");
    EXPECT_EQ(run.state(0), EngineState::Paging);
    EXPECT_EQ(run.firstWaitingForUser(), -1);
    loader.finish(results(1));
    EXPECT_EQ(turnsUntilNavigation(), "20");

    // Answered straight back to the results: harvested, and on to the next.
    loader.finish("Before you continue", 200);
    turnsUntilNavigation();
    EXPECT_EQ(run.state(0), EngineState::ConsentNeeded);
    loader.finish(results(2));
    EXPECT_EQ(turnsUntilNavigation(), "30");
    EXPECT_EQ(urls.count(), 6);
}

TEST_F(EngineRun, PageWithoutResultsIsReadOnceItsTextSettles)
{
    turnsUntilNavigation();
    loader.page = "Loading";
    EXPECT_EQ(turnsUntilNavigation(), "");
    EXPECT_EQ(loader.reads, 1);
    EXPECT_TRUE(run.nothingDue()) << "looks again only after a pause";
    // The script fills the page; it is read 500 ms after the last change.
    now += SearchRun::kSettlePollMs;
    loader.page = results(0);
    EXPECT_EQ(turnsUntilNavigation(), "");
    for (std::uint32_t waited = 0; waited < SearchRun::kSettleQuietMs; waited += SearchRun::kSettlePollMs) {
        EXPECT_EQ(turnsUntilNavigation(), "");
        now += SearchRun::kSettlePollMs;
    }
    EXPECT_EQ(turnsUntilNavigation(), "10");
    EXPECT_EQ(urls.count(), 2);

    // A page that never stops changing is read 5 s after it loaded.
    const std::uint32_t loaded = now;
    for (int change = 0; now - loaded < SearchRun::kSettleLimitMs; ++change) {
        loader.page = "Loading " + std::to_string(change);
        EXPECT_EQ(turnsUntilNavigation(), "") << now - loaded;
        now += SearchRun::kSettlePollMs;
    }
    loader.page = "Still loading";
    EXPECT_EQ(turnsUntilNavigation(), "20");
}

TEST(SearchRun, OwnLinksAreNoResultsButRedirectTargetsAre)
{
    Made made;
    const EngineEntry google{"Google", "https://www.google.com/search?q=", "&start=", "0", "10", ""};
    SearchRun run({google}, made.factory());
    StubLoader& loader = *made.loaders[0];
    UrlList urls;
    run.takeTurn(0, "k", urls);
    loader.page = "Our systems have detected unusual traffic from your computer network.\r\n"
                  "URL: https://www.google.com/search?q=k&start=0\r\nwww.google.com \u203A policies\r\n";
    run.takeTurn(0, "k", urls);
    EXPECT_EQ(run.state(0), EngineState::CheckNeeded);

    // Results seen only as the targets of their links.
    loader.page = "Some result title\r\nAnother one\r\n";
    loader.targets = {"https://www.google.com/url?q=https%3A%2F%2Fwww.found.com%2Fx&sa=U",
                      "https://found.org/y", "https://support.google.com/"};
    loader.OnDocumentComplete();
    run.takeTurn(0, "k", urls);
    EXPECT_EQ(run.state(0), EngineState::Paging);
    EXPECT_EQ(urls.texts(), (std::vector<std::string>{"www.found.com", "found.org"}));
    EXPECT_EQ(loader.urls.back(), "https://www.google.com/search?q=k&start=10");
}

TEST(SearchRun, RoomForElevenEngines)
{
    Made made;
    std::vector<EngineEntry> engines(11, engine("e"));
    EXPECT_NO_THROW(SearchRun(engines, made.factory()));
    engines.push_back(engine("twelfth"));
    made.loaders.clear();
    EXPECT_THROW(SearchRun(engines, made.factory()), std::length_error);
    EXPECT_TRUE(made.loaders.empty());
}

} // namespace
} // namespace ostrevo
