// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// One search run's engines: a hidden page loader per engine, the offset each
// engine has reached, and where each engine stands: paging, waiting for the
// user to answer a check or a consent page, resting after a refusal, or done.
// The window drives the turns; this holds what a turn needs.

#include "pageloader/pageloader.h"
#include "rechercheweb/catalogue.h"
#include "rechercheweb/linkextraction.h"
#include "rechercheweb/resultpages.h"
#include "rechercheweb/urllist.h"
#include "textscan/textkey.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace ostrevo {

enum class EngineState {
    Paging,
    CheckNeeded,   // its page asks the user to prove being human
    ConsentNeeded, // its page asks the user about cookies
    Resting,       // it refused the run's queries; it is asked again later
    Blocked,       // it refused too often: nothing more from it in this run
    NoMoreResults, // its last pages added no entry
    ProxyFailed,   // its page failed at the proxy: it waits until the user says to try again
};

class SearchRun {
public:
    using LoaderFactory = std::function<std::unique_ptr<PageLoader>()>;
    // Takes a loader the run no longer needs; without one it is deleted at once.
    using LoaderRelease = std::function<void(std::unique_ptr<PageLoader>)>;
    // Milliseconds since some fixed point; wraps around at 2^32.
    using Clock = std::function<std::uint32_t()>;

    // The run has a loader slot for this many engines.
    static constexpr int MaxEngines = 11;
    // Pages in a row that added no entry before an engine counts as done.
    static constexpr int kEmptyPagesToEnd = 3;
    // Times a refusing engine is asked again before it is given up.
    static constexpr int kRetriesAfterRefusal = 3;
    // The first rest after a refusal that names no time of its own (in a
    // Retry-After header); each further one is twice as long. A time the
    // engine names is kept to between kMinRestMs and kMaxRestMs.
    static constexpr std::uint32_t kFirstRestMs = 30000;
    static constexpr std::int64_t kMinRestMs = 1000;
    static constexpr std::int64_t kMaxRestMs = 3600000;
    // A page without results may still be built by its scripts: it is read
    // once its text changed and then stayed the same for kSettleQuietMs, or
    // kSettleLimitMs after it loaded (unless setSettleLimitMs() says
    // otherwise), looking every kSettlePollMs.
    static constexpr std::uint32_t kSettleQuietMs = 500;
    static constexpr std::uint32_t kSettleLimitMs = 5000;
    static constexpr std::uint32_t kSettlePollMs = 100;
    // A page of more text than this is read as it comes, with no settle wait
    // (each look at a page of tens of megabytes costs seconds).
    static constexpr std::size_t kLargePageBytes = std::size_t{1} << 20;

    // Makes and sets up one loader per engine, in engine order: hidden, silent,
    // refusing every new window.
    SearchRun(std::vector<EngineEntry> engines, const LoaderFactory& makeLoader, LoaderRelease release = {},
              Clock clock = {});
    ~SearchRun();
    SearchRun(const SearchRun&) = delete;
    SearchRun& operator=(const SearchRun&) = delete;

    int engineCount() const { return static_cast<int>(m_engines.size()); }
    PageLoader& loader(int engine) { return *at(engine).loader; }
    const CutMarkers& cutMarkers() const { return m_cutMarkers; }
    // The TLDs whose hosts are collected; .com .net .org unless set.
    void setTldFilter(TldFilter tlds) { m_tlds = std::move(tlds); }
    void setSettleLimitMs(std::uint32_t ms) { m_settleLimitMs = ms; }

    EngineState state(int engine) const { return at(engine).state; }
    // The HTTP status of the engine's page read last (0 when unknown).
    int lastHttpStatus(int engine) const { return at(engine).httpStatus; }
    // Refusals since the engine last gave results.
    int refusals(int engine) const { return at(engine).refusals; }
    // How long a resting engine still rests.
    std::uint32_t restLeftMs(int engine) const;
    // How the engine's last page failed at the proxy (None unless ProxyFailed).
    ProxyFailure proxyFailure(int engine) const { return at(engine).proxyFailure; }
    // The page the engine loaded last.
    const std::string& pageUrl(int engine) const { return at(engine).pageUrl; }
    // Every engine held up by the proxy loads its page again.
    void retryAfterProxyFailure();

    // The first engine waiting for the user, or -1.
    int firstWaitingForUser() const;
    // Every engine is done or given up: nothing will come any more.
    bool allDone() const;
    // No engine can take a turn now: all are loading, waiting or done.
    bool nothingDue() const;

    // Engine `engine`'s turn. A paging engine whose loader is idle reads the
    // page loaded last (not on the engine's first turn: nothing was loaded
    // yet), judges it, and sends the loader on to its next result page, or to
    // the same page again after a rest or a check. Returns false, doing
    // nothing, when the engine has nothing to do now. Reading the page
    // processes events; a run cancelled meanwhile stops there.
    bool takeTurn(int engine, std::string_view keywords, UrlList& urls,
                  const TextKeyFunction& caseFoldKey = asciiLower);

    // The run is over for good (a newer run took over, or its hosts were
    // handed over): whoever still drives it must let it go.
    void cancel() { m_cancelled = true; }
    bool isCancelled() const { return m_cancelled; }
    // Cancels the run, and its loaders let their pages (and the pages'
    // scripts) go now rather than when the run goes.
    void releasePages();

    void setLoaderRelease(LoaderRelease release) { m_release = std::move(release); }

    // What a page gave: entries new to the list, and whether it had result
    // links at all (a page of results already listed is still a result page).
    struct Harvest {
        bool added = false;
        bool hasLinks = false;
    };

private:
    struct Engine {
        Engine(ResultPager pages, std::unique_ptr<PageLoader> browser)
            : pager(std::move(pages)), loader(std::move(browser))
        {}
        ResultPager pager;
        std::unique_ptr<PageLoader> loader;
        std::string ownDomain; // the engine's registered domain
        EngineState state = EngineState::Paging;
        bool firstPage = true;
        std::string pageUrl; // the result page loaded last
        int emptyPages = 0;
        int refusals = 0;
        int httpStatus = 0;
        std::uint32_t restUntil = 0;
        bool settling = false;
        std::string settleText;
        std::uint32_t settleStart = 0;
        std::uint32_t lastChange = 0;
        bool textChanged = false;
        std::uint32_t nextLook = 0;
        // A document completed since the engine began waiting for the user.
        bool newDocument = false;
        ProxyFailure proxyFailure = ProxyFailure::None;
    };

    Engine& at(int engine) { return m_engines.at(static_cast<std::size_t>(engine)); }
    const Engine& at(int engine) const { return m_engines.at(static_cast<std::size_t>(engine)); }
    bool due(std::uint32_t when) const;
    bool hasTurnDue(const Engine& engine) const;
    void navigate(Engine& engine, std::string url);
    void readPage(Engine& engine, std::string_view keywords, UrlList& urls,
                  const TextKeyFunction& caseFoldKey);
    void readAnsweredPage(Engine& engine, std::string_view keywords, UrlList& urls,
                          const TextKeyFunction& caseFoldKey);
    // After a result page: on to the next one, unless the engine ran out.
    void goOn(Engine& engine, const Harvest& found, std::string_view keywords);
    // True, the engine held, when its page failed at the proxy.
    bool heldByProxy(Engine& engine);
    // After a refusal: a rest, or the end of the engine once retries are used up.
    void refuse(Engine& engine);

    std::vector<Engine> m_engines;
    Harvest harvest(Engine& engine, std::string_view text, UrlList& urls, const TextKeyFunction& caseFoldKey);

    CutMarkers m_cutMarkers;
    TldFilter m_tlds;
    std::uint32_t m_settleLimitMs = kSettleLimitMs;
    LoaderRelease m_release;
    Clock m_clock;
    bool m_cancelled = false;
};

} // namespace ostrevo
