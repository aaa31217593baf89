// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// The page loader on Qt WebEngine: a page without a view, on an off-the-record
// profile that all loaders of the program share. It never shows anything of
// its own: script dialogs, new windows, downloads, permission and certificate
// prompts are all refused.

#include "pageloader/pageloader.h"

#include <QObject>
#include <QTimer>

#include <optional>
#include <vector>

class QAuthenticator;
class QEventLoop;
class QWebEngineLoadingInfo;
class QWebEnginePage;

namespace ostrevo {

class SilentWebPage;

// Settles how the browser engine starts: call it in main() before the
// QApplication exists. Keeps the engine from reaching the network on its own
// (component updates, background requests) and from using the GPU for pages
// that are never drawn. Loaders call it too, in case main() did not.
void prepareBrowserEngine();
// Whether the engine has started (its profile exists): it reads its proxy then.
bool browserEngineStarted();
// The user name and password a page gives its proxy when asked; none when
// the user name is empty. Given once per load: a second ask means a refusal.
void setBrowserProxyCredentials(std::string user, std::string password);

// Busy also covers loads the page starts by itself (a script or a refresh
// moving on), and each finished load fires OnDocumentComplete. Handlers run
// inside the browser's own notifications: they must not throw, and must not
// destroy the loader (deleteLater() is fine).
class QtPageLoader final : public QObject, public PageLoader {
    Q_OBJECT

public:
    explicit QtPageLoader(QObject* parent = nullptr);
    ~QtPageLoader() override;

    // The page has no view: it stays hidden whatever is asked.
    void SetVisible(bool visible) override;
    // Always silent; the setting is kept for those who ask.
    void SetSilent(bool silent) override;
    bool Busy() const override;
    bool TimedOut() const override { return m_timedOut; }
    void Navigate(const std::string& url) override;
    // Waits for the browser while processing events, at most pageTextTimeout()
    // milliseconds; empty on time-out or when the loader is destroyed meanwhile.
    std::string PageText() override;
    // One walk over the body's nodes: a block element starts a line.
    std::vector<std::string> LinkTargets(const std::vector<std::string>& cutMarkers) override;
    int HttpStatus() const override { return m_httpStatus; }
    std::string LocationURL() const override;
    std::string RetryAfter() override;
    ProxyFailure ProxyFailureOfLoad() const override { return m_proxyFailure; }
    // A fresh page, with no document and no renderer yet, in place of the current one.
    void ReleasePage() override;

    // The hidden page itself, for a window that shows it to the user.
    QWebEnginePage* page() const;

    bool visible() const { return m_visible; }
    bool silent() const { return m_silent; }
    int pageTextTimeout() const { return m_pageTextTimeoutMs; }
    void setPageTextTimeout(int ms) { m_pageTextTimeoutMs = ms; }
    int navigationDeadline() const { return m_deadline.interval(); }
    void setNavigationDeadline(int ms) { m_deadline.setInterval(ms); }

private:
    // The script's result as text, waited for like the page text; nothing on
    // time-out or when the loader is destroyed meanwhile.
    std::optional<QString> evaluate(const QString& script);
    void beginLoad();
    void noteLoading(const QWebEngineLoadingInfo& info);
    void endLoad(bool ok);
    void reportProgress(int progress);
    void endAfterRendererLoss();
    void refuseNewWindow();
    void answerProxy(QAuthenticator* authenticator);
    void stopAtDeadline();
    void makePage();
    void dropPage();

    friend class SilentWebPage;

    SilentWebPage* m_page = nullptr;
    std::vector<QEventLoop*> m_textWaits;
    bool m_busy = false;
    bool m_timedOut = false;
    // Started by Navigate (or by a load the page starts while idle); a load
    // still going when it fires is stopped and ended.
    QTimer m_deadline;
    // Counts navigations, so that a refused one's late completion cannot end a newer one.
    unsigned m_navigation = 0;
    // False from Navigate until a document replaced the page: a navigation
    // that ends without one (an answer turned into a refused download) leaves
    // the previous page in place, whose text must not pass for the new answer.
    bool m_hasNewDocument = false;
    int m_httpStatus = 0;
    int m_proxyAsks = 0; // the proxy's asks for credentials in this navigation
    ProxyFailure m_proxyFailure = ProxyFailure::None;
    bool m_visible = true;
    bool m_silent = false;
    int m_pageTextTimeoutMs = 10000;
};

} // namespace ostrevo
