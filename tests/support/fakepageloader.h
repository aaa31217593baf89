// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// A page loader under the test's control: it records where it was sent and
// completes only when told, with the page text the test chose.

#include "pageloader/pageloader.h"

#include <QObject>

#include <functional>
#include <string>
#include <vector>

namespace ostrevo::test {

class FakePageLoader final : public QObject, public PageLoader {
public:
    explicit FakePageLoader(QObject* parent = nullptr) : QObject(parent) {}

    void SetVisible(bool visible) override { m_visible = visible; }
    void SetSilent(bool silent) override { m_silent = silent; }
    bool Busy() const override { return m_busy; }
    bool TimedOut() const override { return m_timedOut; }
    // Records the URL, becomes busy, then hands the URL to the navigate
    // handler if there is one (which may complete at once or leave it pending).
    void Navigate(const std::string& url) override;
    std::string PageText() override;
    // The targets set last, whatever the markers; the markers asked with are kept.
    std::vector<std::string> LinkTargets(const std::vector<std::string>& cutMarkers) override
    {
        m_targetMarkers = cutMarkers;
        return m_targets;
    }
    int HttpStatus() const override { return m_status; }
    std::string LocationURL() const override { return m_location; }
    ProxyFailure ProxyFailureOfLoad() const override { return m_proxyFailure; }
    void ReleasePage() override
    {
        m_pageReleased = true;
        m_busy = false;
        m_text.clear();
        m_targets.clear();
    }

    void setNavigateHandler(std::function<void(const std::string& url)> handler)
    {
        m_onNavigate = std::move(handler);
    }
    // Every navigation completes with the text `pageFor(url)` gives, delivered
    // through the event loop as a real browser would.
    void answerEveryNavigation(std::function<std::string(const std::string& url)> pageFor);

    // Sets the page text, ends busy and fires OnDocumentComplete, now; the
    // page came with `status` from `location` (the URL navigated to when empty).
    void complete(std::string text, int status = 200, std::string location = {});
    // The same, during the next pass of the event loop.
    void completeSoon(std::string text, int status = 200, std::string location = {});
    // The page's text changes without a load, as a page's script would change it.
    void setText(std::string text) { m_text = std::move(text); }
    void setLinkTargets(std::vector<std::string> targets) { m_targets = std::move(targets); }
    const std::vector<std::string>& linkTargetMarkers() const { return m_targetMarkers; }
    // Ends the navigation at its deadline during the next pass of the event
    // loop: no page text, TimedOut(), OnDocumentComplete.
    void timeOutSoon();
    // The next `loads` navigations fail at the proxy, as `failure` says.
    void failAtProxy(ProxyFailure failure, int loads = 1)
    {
        m_proxyFailureToCome = failure;
        m_proxyFailingLoads = loads;
    }
    // Asks for a new window as a page's script would; true when refused.
    bool requestNewWindow();
    void reportProgress(int progress, int progressMax);

    const std::vector<std::string>& navigatedUrls() const { return m_urls; }
    int pageTextReads() const { return m_textReads; }
    bool visible() const { return m_visible; }
    bool silent() const { return m_silent; }
    bool pageReleased() const { return m_pageReleased; }

private:
    std::vector<std::string> m_urls;
    std::function<void(const std::string&)> m_onNavigate;
    std::string m_text;
    std::vector<std::string> m_targets;
    std::vector<std::string> m_targetMarkers;
    std::string m_location;
    int m_status = 0;
    ProxyFailure m_proxyFailure = ProxyFailure::None;
    ProxyFailure m_proxyFailureToCome = ProxyFailure::None;
    int m_proxyFailingLoads = 0;
    bool m_busy = false;
    bool m_timedOut = false;
    bool m_visible = true;
    bool m_silent = false;
    int m_textReads = 0;
    bool m_pageReleased = false;
};

} // namespace ostrevo::test
