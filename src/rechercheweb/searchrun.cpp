// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "rechercheweb/searchrun.h"

#include "rechercheweb/pagelines.h"

#include <algorithm>
#include <stdexcept>

namespace ostrevo {

SearchRun::SearchRun(std::vector<EngineEntry> engines, const LoaderFactory& makeLoader, LoaderRelease release)
    : m_cutMarkers(cutMarkersOf(engines)), m_release(std::move(release))
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
        m_engines.push_back(Engine{ResultPager(entry), true, std::move(loader)});
    }
}

SearchRun::~SearchRun()
{
    for (Engine& engine : m_engines) {
        if (m_release && engine.loader) {
            m_release(std::move(engine.loader));
        }
    }
}

bool SearchRun::allBusy() const
{
    return std::all_of(m_engines.begin(), m_engines.end(),
                       [](const Engine& engine) { return engine.loader->Busy(); });
}

bool SearchRun::takeTurn(int engine, std::string_view keywords, UrlList& urls,
                         const TextKeyFunction& caseFoldKey)
{
    Engine& current = m_engines.at(static_cast<std::size_t>(engine));
    if (current.loader->Busy()) {
        return false;
    }
    const std::string url = current.pager.nextPageUrl(keywords);
    if (current.firstPage) {
        current.firstPage = false;
    } else {
        const std::string text = current.loader->PageText();
        if (m_cancelled) {
            return true;
        }
        parseAllLines(PageLines::fromText(text, caseFoldKey), m_cutMarkers, urls);
    }
    current.loader->Navigate(url);
    return true;
}

} // namespace ostrevo
