// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "rechercheweb/searchrun.h"

#include "net/retryafter.h"
#include "rechercheweb/linkhost.h"
#include "rechercheweb/pagekind.h"
#include "rechercheweb/pagelines.h"

#include <algorithm>
#include <chrono>
#include <ctime>
#include <optional>
#include <stdexcept>

namespace ostrevo {
namespace {

std::uint32_t steadyMs()
{
    using namespace std::chrono;
    return static_cast<std::uint32_t>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

} // namespace

SearchRun::SearchRun(std::vector<EngineEntry> engines, const LoaderFactory& makeLoader, LoaderRelease release,
                     Clock clock)
    : m_cutMarkers(cutMarkersOf(engines)), m_release(std::move(release)),
      m_clock(clock ? std::move(clock) : Clock(&steadyMs))
{
    if (engines.size() > static_cast<std::size_t>(MaxEngines)) {
        throw std::length_error("a search run has room for eleven engines");
    }
    m_engines.reserve(engines.size());
    for (const EngineEntry& entry : engines) {
        std::unique_ptr<PageLoader> loader = makeLoader();
        loader->SetVisible(false);
        loader->SetSilent(true);
        loader->OnNewWindow2 = [](bool& cancel) { cancel = true; };
        const std::size_t index = m_engines.size();
        loader->OnDocumentComplete = [this, index] { m_engines[index].newDocument = true; };
        m_engines.emplace_back(ResultPager(entry), std::move(loader));
        m_engines.back().ownDomain = ownDomainOf(entry.urlHead);
    }
}

SearchRun::~SearchRun()
{
    for (Engine& engine : m_engines) {
        // A loader outliving the run must not report to it.
        engine.loader->OnDocumentComplete = nullptr;
        if (m_release) {
            m_release(std::move(engine.loader));
        }
    }
}

void SearchRun::releasePages()
{
    m_cancelled = true;
    for (Engine& engine : m_engines) {
        engine.loader->ReleasePage();
    }
}

bool SearchRun::due(std::uint32_t when) const
{
    return static_cast<std::int32_t>(m_clock() - when) >= 0;
}

std::uint32_t SearchRun::restLeftMs(int engine) const
{
    const Engine& e = at(engine);
    return e.state == EngineState::Resting && !due(e.restUntil) ? e.restUntil - m_clock() : 0;
}

int SearchRun::firstWaitingForUser() const
{
    for (int i = 0; i < engineCount(); ++i) {
        if (state(i) == EngineState::CheckNeeded || state(i) == EngineState::ConsentNeeded) {
            return i;
        }
    }
    return -1;
}

bool SearchRun::allDone() const
{
    return std::all_of(m_engines.begin(), m_engines.end(), [](const Engine& engine) {
        return engine.state == EngineState::Blocked || engine.state == EngineState::NoMoreResults;
    });
}

bool SearchRun::nothingDue() const
{
    return std::none_of(m_engines.begin(), m_engines.end(),
                        [this](const Engine& engine) { return hasTurnDue(engine); });
}

bool SearchRun::hasTurnDue(const Engine& engine) const
{
    if (engine.loader->Busy()) {
        return false;
    }
    switch (engine.state) {
    case EngineState::Paging:
        return !engine.settling || due(engine.nextLook);
    case EngineState::Resting:
        return due(engine.restUntil);
    case EngineState::CheckNeeded:
    case EngineState::ConsentNeeded:
        return engine.newDocument;
    case EngineState::Blocked:
    case EngineState::NoMoreResults:
    case EngineState::ProxyFailed:
        break;
    }
    return false;
}

bool SearchRun::takeTurn(int index, std::string_view keywords, UrlList& urls,
                         const TextKeyFunction& caseFoldKey)
{
    Engine& engine = at(index);
    if (!hasTurnDue(engine)) {
        return false;
    }
    switch (engine.state) {
    case EngineState::Paging:
        if (engine.firstPage) {
            std::string url = engine.pager.nextPageUrl(keywords);
            engine.firstPage = false;
            navigate(engine, std::move(url));
        } else {
            readPage(engine, keywords, urls, caseFoldKey);
        }
        break;
    case EngineState::Resting:
        engine.state = EngineState::Paging;
        navigate(engine, engine.pageUrl);
        break;
    case EngineState::CheckNeeded:
    case EngineState::ConsentNeeded:
        engine.newDocument = false;
        readAnsweredPage(engine, keywords, urls, caseFoldKey);
        break;
    case EngineState::Blocked:
    case EngineState::NoMoreResults:
    case EngineState::ProxyFailed:
        break;
    }
    return true;
}

bool SearchRun::heldByProxy(Engine& engine)
{
    engine.proxyFailure = engine.loader->ProxyFailureOfLoad();
    if (engine.proxyFailure == ProxyFailure::None) {
        return false;
    }
    // No page came: nothing to read, and no refusal or emptiness to count.
    engine.state = EngineState::ProxyFailed;
    engine.settling = false;
    engine.settleText.clear();
    return true;
}

void SearchRun::retryAfterProxyFailure()
{
    for (Engine& engine : m_engines) {
        if (engine.state == EngineState::ProxyFailed) {
            engine.state = EngineState::Paging;
            engine.proxyFailure = ProxyFailure::None;
            navigate(engine, engine.pageUrl);
        }
    }
}

void SearchRun::navigate(Engine& engine, std::string url)
{
    engine.pageUrl = std::move(url);
    engine.loader->Navigate(engine.pageUrl);
}

void SearchRun::readPage(Engine& engine, std::string_view keywords, UrlList& urls,
                         const TextKeyFunction& caseFoldKey)
{
    if (heldByProxy(engine)) {
        return;
    }
    const std::uint32_t asked = m_clock();
    std::string text = engine.loader->PageText();
    if (m_cancelled) {
        return;
    }
    const std::uint32_t now = m_clock();
    // A page whose text is slow to read, or cannot be read at all (empty), is
    // not looked at again and again: each look is a new request to a renderer
    // that may still be busy with the last one.
    const bool slowToRead = now - asked >= kSettleQuietMs;
    const bool settled = engine.settling;
    if (engine.settling) {
        if (text != engine.settleText) {
            engine.settleText = std::move(text);
            engine.lastChange = now;
            engine.textChanged = true;
        }
        const bool quiet = engine.textChanged && now - engine.lastChange >= kSettleQuietMs;
        if (!quiet && now - engine.settleStart < m_settleLimitMs) {
            engine.nextLook = now + kSettlePollMs;
            return;
        }
        engine.settling = false;
        text = std::move(engine.settleText);
        engine.settleText.clear();
    }

    const Harvest found = harvest(engine, text, urls, caseFoldKey);
    if (m_cancelled) {
        return;
    }
    engine.httpStatus = engine.loader->HttpStatus();
    const PageKind kind =
        recognisePage({engine.httpStatus, engine.loader->LocationURL(), text, found.hasLinks});
    switch (kind) {
    case PageKind::Results:
        if (!found.hasLinks && !settled && !slowToRead && !text.empty() && text.size() <= kLargePageBytes) {
            // Nothing yet: its scripts may still be building the results.
            engine.settling = true;
            engine.settleText = std::move(text);
            engine.settleStart = engine.lastChange = now;
            engine.textChanged = false;
            engine.nextLook = now + kSettlePollMs;
            return;
        }
        goOn(engine, found, keywords);
        return;
    case PageKind::Block:
        refuse(engine);
        return;
    case PageKind::Check:
    case PageKind::Consent:
        engine.state = kind == PageKind::Check ? EngineState::CheckNeeded : EngineState::ConsentNeeded;
        engine.newDocument = false;
        return;
    }
}

void SearchRun::readAnsweredPage(Engine& engine, std::string_view keywords, UrlList& urls,
                                 const TextKeyFunction& caseFoldKey)
{
    if (heldByProxy(engine)) {
        return;
    }
    const std::string text = engine.loader->PageText();
    if (m_cancelled) {
        return;
    }
    const Harvest found = harvest(engine, text, urls, caseFoldKey);
    if (m_cancelled) {
        return;
    }
    engine.httpStatus = engine.loader->HttpStatus();
    const PageKind kind =
        recognisePage({engine.httpStatus, engine.loader->LocationURL(), text, found.hasLinks});
    if (kind == PageKind::Check || kind == PageKind::Consent) {
        engine.state = kind == PageKind::Check ? EngineState::CheckNeeded : EngineState::ConsentNeeded;
        return;
    }
    engine.state = EngineState::Paging;
    if (kind == PageKind::Block) {
        refuse(engine);
    } else if (found.hasLinks) {
        // Answering led back to the results: this is the page it was on.
        goOn(engine, found, keywords);
    } else {
        // Elsewhere, such as a home page: ask for that page again.
        navigate(engine, engine.pageUrl);
    }
}

SearchRun::Harvest SearchRun::harvest(Engine& engine, std::string_view text, UrlList& urls,
                                      const TextKeyFunction& caseFoldKey)
{
    // Read before anything is added: reading processes events.
    const std::vector<std::string> targets = engine.loader->LinkTargets(m_cutMarkers);
    if (m_cancelled) {
        return {};
    }
    const LinkRules rules{m_tlds, engine.ownDomain};
    const int before = urls.count();
    const int links = parseAllLines(PageLines::fromText(text, caseFoldKey), m_cutMarkers, urls, rules) +
                      harvestLinkTargets(targets, urls, rules);
    return {urls.count() > before, links > 0};
}

void SearchRun::goOn(Engine& engine, const Harvest& found, std::string_view keywords)
{
    if (found.hasLinks) {
        engine.refusals = 0;
    }
    engine.emptyPages = found.added ? 0 : engine.emptyPages + 1;
    if (engine.emptyPages >= kEmptyPagesToEnd) {
        engine.state = EngineState::NoMoreResults;
        return;
    }
    navigate(engine, engine.pager.nextPageUrl(keywords));
}

void SearchRun::refuse(Engine& engine)
{
    if (engine.refusals >= kRetriesAfterRefusal) {
        engine.state = EngineState::Blocked;
        return;
    }
    ++engine.refusals;
    std::uint32_t rest = kFirstRestMs << (engine.refusals - 1);
    if (isRefusalStatus(engine.httpStatus)) {
        const std::optional<std::int64_t> asked =
            retryAfterSeconds(engine.loader->RetryAfter(), std::time(nullptr));
        if (asked) {
            rest =
                static_cast<std::uint32_t>(std::clamp<std::int64_t>(*asked * 1000, kMinRestMs, kMaxRestMs));
        }
    }
    engine.restUntil = m_clock() + rest;
    engine.state = EngineState::Resting;
}

} // namespace ostrevo
