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
    void Navigate(const std::string& url) override { urls.push_back(url); }
    std::string PageText() override
    {
        if (duringRead) {
            duringRead();
        }
        return page;
    }

    bool visible = true;
    bool silent = false;
    bool busy = false;
    std::string page;
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
    EXPECT_TRUE(run.allBusy());
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
