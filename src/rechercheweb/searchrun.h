// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// One search run's engines: a hidden page loader per engine, the offset each
// engine has reached, and whether its first page is still to come. The window
// drives the turns; this holds what a turn needs.

#include "pageloader/pageloader.h"
#include "rechercheweb/catalogue.h"
#include "rechercheweb/linkextraction.h"
#include "rechercheweb/resultpages.h"
#include "rechercheweb/textkey.h"
#include "rechercheweb/urllist.h"

#include <functional>
#include <memory>
#include <string_view>
#include <vector>

namespace ostrevo {

class SearchRun {
public:
    using LoaderFactory = std::function<std::unique_ptr<PageLoader>()>;
    // Takes a loader the run no longer needs; without one it is deleted at once.
    using LoaderRelease = std::function<void(std::unique_ptr<PageLoader>)>;

    // The run has a loader slot for this many engines.
    static constexpr int MaxEngines = 11;

    // Makes and sets up one loader per engine, in engine order: hidden, silent,
    // refusing every new window.
    SearchRun(std::vector<EngineEntry> engines, const LoaderFactory& makeLoader, LoaderRelease release = {});
    ~SearchRun();
    SearchRun(const SearchRun&) = delete;
    SearchRun& operator=(const SearchRun&) = delete;

    int engineCount() const { return static_cast<int>(m_engines.size()); }
    PageLoader& loader(int engine) { return *m_engines.at(static_cast<std::size_t>(engine)).loader; }
    const CutMarkers& cutMarkers() const { return m_cutMarkers; }
    bool allBusy() const;

    // Engine `engine`'s turn, when its loader is idle: works out the next
    // result page's URL, reads and parses the page loaded last (not on the
    // engine's first turn: nothing was loaded yet), then sends the loader on.
    // Returns false, doing nothing, while the loader is busy. Reading the page
    // processes events; a run cancelled meanwhile stops there.
    bool takeTurn(int engine, std::string_view keywords, UrlList& urls,
                  const TextKeyFunction& caseFoldKey = asciiLower);

    // The run is over for good (a newer run took over, or its hosts were
    // handed over): whoever still drives it must let it go.
    void cancel() { m_cancelled = true; }
    bool isCancelled() const { return m_cancelled; }

    void setLoaderRelease(LoaderRelease release) { m_release = std::move(release); }

private:
    struct Engine {
        ResultPager pager;
        bool firstPage = true;
        std::unique_ptr<PageLoader> loader;
    };

    std::vector<Engine> m_engines;
    CutMarkers m_cutMarkers;
    LoaderRelease m_release;
    bool m_cancelled = false;
};

} // namespace ostrevo
