// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "fakepageloader.h"

#include <QTimer>

namespace ostrevo::test {

void FakePageLoader::Navigate(const std::string& url)
{
    m_urls.push_back(url);
    m_busy = true;
    m_timedOut = false;
    m_proxyFailure = m_proxyFailingLoads > 0 ? m_proxyFailureToCome : ProxyFailure::None;
    m_proxyFailingLoads -= m_proxyFailingLoads > 0 ? 1 : 0;
    if (m_onNavigate) {
        m_onNavigate(url);
    }
}

std::string FakePageLoader::PageText()
{
    ++m_textReads;
    return m_text;
}

void FakePageLoader::answerEveryNavigation(std::function<std::string(const std::string& url)> pageFor)
{
    setNavigateHandler(
        [this, pageFor = std::move(pageFor)](const std::string& url) { completeSoon(pageFor(url)); });
}

void FakePageLoader::complete(std::string text, int status, std::string location)
{
    m_text = std::move(text);
    m_status = status;
    m_location = location.empty() && !m_urls.empty() ? m_urls.back() : std::move(location);
    m_busy = false;
    if (OnDocumentComplete) {
        OnDocumentComplete();
    }
}

void FakePageLoader::completeSoon(std::string text, int status, std::string location)
{
    QTimer::singleShot(0, this,
                       [this, text = std::move(text), status, location = std::move(location)]() mutable {
                           complete(std::move(text), status, std::move(location));
                       });
}

void FakePageLoader::timeOutSoon()
{
    QTimer::singleShot(0, this, [this] {
        m_text.clear();
        m_busy = false;
        m_timedOut = true;
        if (OnDocumentComplete) {
            OnDocumentComplete();
        }
    });
}

bool FakePageLoader::requestNewWindow()
{
    bool cancel = false;
    if (OnNewWindow2) {
        OnNewWindow2(cancel);
    }
    return cancel;
}

void FakePageLoader::reportProgress(int progress, int progressMax)
{
    if (OnProgressChange) {
        OnProgressChange(progress, progressMax);
    }
}

} // namespace ostrevo::test
