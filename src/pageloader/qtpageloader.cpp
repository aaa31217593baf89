// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "pageloader/qtpageloader.h"

#include "pageloader/lineends.h"

#include <QAuthenticator>
#include <QCoreApplication>
#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QPointer>
#include <QTimer>
#include <QUrl>
#include <QVariant>
#include <QWebEngineCertificateError>
#include <QWebEngineClientCertificateSelection>
#include <QWebEngineDownloadRequest>
#include <QWebEngineFileSystemAccessRequest>
#include <QWebEngineFullScreenRequest>
#include <QWebEngineLoadingInfo>
#include <QWebEngineNotification>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineQuotaRequest>
#include <QWebEngineRegisterProtocolHandlerRequest>
#include <QWebEngineScript>
#include <QWebEngineSettings>

#include <algorithm>
#include <cstdlib>
#include <memory>

namespace ostrevo {

void prepareBrowserEngine()
{
    static bool prepared = false;
    if (prepared) {
        return;
    }
    prepared = true;
    if (QCoreApplication::instance() == nullptr) {
        QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    }
    // Read by the engine when the first profile is made; flags already given
    // by the user are kept and not repeated.
    QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    const char* const wanted[] = {
        "--disable-gpu",  "--disable-background-networking", "--disable-component-update", "--disable-sync",
        "--no-first-run", "--disable-domain-reliability"};
    for (const char* flag : wanted) {
        if (!flags.contains(flag)) {
            flags += (flags.isEmpty() ? "" : " ");
            flags += flag;
        }
    }
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags);
}

namespace {

struct BrowserProxyCredentials {
    std::string user;
    std::string password;
};

BrowserProxyCredentials& proxyCredentials()
{
    static BrowserProxyCredentials credentials;
    return credentials;
}

bool& engineStarted()
{
    static bool started = false;
    return started;
}

// Chromium's network errors that come from the proxy rather than the server.
// `withCredentials`: the engine was given a user name and password, which it
// offers the proxy itself, asking again and again when they are refused.
ProxyFailure proxyFailureOf(int netError, bool withCredentials)
{
    switch (-std::abs(netError)) {
    case -375: // retried too often: a proxy refusing the credentials offered
        return withCredentials ? ProxyFailure::CredentialsRefused : ProxyFailure::None;
    case -111: // the tunnel through the proxy failed
    case -115: // it asks for an authentication the engine cannot give
    case -120: // SOCKS connection failed
    case -130: // connecting to the proxy failed
        return ProxyFailure::Refused;
    case -127: // it asks for credentials
        return ProxyFailure::NeedsCredentials;
    case -131: // the proxy configuration could not be used
    case -137: // the proxy's name did not resolve
        return ProxyFailure::Unreachable;
    default:
        return ProxyFailure::None;
    }
}

} // namespace

bool browserEngineStarted()
{
    return engineStarted();
}

void setBrowserProxyCredentials(std::string user, std::string password)
{
    proxyCredentials() = {std::move(user), std::move(password)};
}

namespace {

void applySettings(QWebEngineSettings* settings)
{
    // Text is all that is read: no images, icons, plug-ins or GPU work.
    settings->setAttribute(QWebEngineSettings::AutoLoadImages, false);
    settings->setAttribute(QWebEngineSettings::AutoLoadIconsForPage, false);
    settings->setAttribute(QWebEngineSettings::TouchIconsEnabled, false);
    settings->setAttribute(QWebEngineSettings::PluginsEnabled, false);
    settings->setAttribute(QWebEngineSettings::PdfViewerEnabled, false);
    settings->setAttribute(QWebEngineSettings::WebGLEnabled, false);
    settings->setAttribute(QWebEngineSettings::Accelerated2dCanvasEnabled, false);
    // Result pages need their scripts.
    settings->setAttribute(QWebEngineSettings::JavascriptEnabled, true);
    settings->setAttribute(QWebEngineSettings::JavascriptCanAccessClipboard, false);
    settings->setAttribute(QWebEngineSettings::JavascriptCanPaste, false);
    settings->setAttribute(QWebEngineSettings::AllowWindowActivationFromJavaScript, false);
    settings->setAttribute(QWebEngineSettings::FocusOnNavigationEnabled, false);
    settings->setAttribute(QWebEngineSettings::FullScreenSupportEnabled, false);
    settings->setAttribute(QWebEngineSettings::ScreenCaptureEnabled, false);
    // Nothing leaves for hosts the page did not ask for.
    settings->setAttribute(QWebEngineSettings::DnsPrefetchEnabled, false);
    settings->setAttribute(QWebEngineSettings::HyperlinkAuditingEnabled, false);
    settings->setAttribute(QWebEngineSettings::WebRTCPublicInterfacesOnly, true);
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, false);
    settings->setAttribute(QWebEngineSettings::NavigateOnDropEnabled, false);
}

// One profile for all loaders, made when the first loader needs it and owned
// by the application so that it outlives every page.
QWebEngineProfile* sharedProfile()
{
    static QPointer<QWebEngineProfile> profile;
    if (profile) {
        return profile;
    }
    prepareBrowserEngine();
    engineStarted() = true;
    // No storage name: off the record, cookies and cache in memory only.
    profile = new QWebEngineProfile(QCoreApplication::instance());
    profile->setHttpCacheType(QWebEngineProfile::MemoryHttpCache);
    profile->setPersistentCookiesPolicy(QWebEngineProfile::NoPersistentCookies);
    profile->setSpellCheckEnabled(false);
    profile->setNotificationPresenter([](std::unique_ptr<QWebEngineNotification>) {});
    QObject::connect(profile, &QWebEngineProfile::downloadRequested, profile,
                     [](QWebEngineDownloadRequest* download) { download->cancel(); });
    applySettings(profile->settings());
    return profile;
}

// Longer URLs load nothing in the browser engine, and would never finish.
constexpr qsizetype kMaxUrlBytes = 2 * 1024 * 1024;

// Only the web: never file:, data:, javascript:, view-source: or the
// browser's own pages, whoever asks for them (a catalogue, a result page, a
// redirect).
bool isWebUrl(const QUrl& url)
{
    const QString scheme = url.scheme();
    return scheme == QLatin1String("http") || scheme == QLatin1String("https");
}

} // namespace

// The page refuses everything that would need a user.
class SilentWebPage final : public QWebEnginePage {
public:
    SilentWebPage(QWebEngineProfile* profile, QtPageLoader* loader)
        : QWebEnginePage(profile, loader), m_loader(loader)
    {
        connect(this, &QWebEnginePage::featurePermissionRequested, this, &SilentWebPage::denyPermission);
        connect(this, &QWebEnginePage::certificateError, this, &SilentWebPage::rejectCertificate);
        connect(this, &QWebEnginePage::authenticationRequired, this, &SilentWebPage::refuseCredentials);
        connect(this, &QWebEnginePage::proxyAuthenticationRequired, this,
                &SilentWebPage::answerProxyCredentials);
        connect(this, &QWebEnginePage::selectClientCertificate, this, &SilentWebPage::selectNoCertificate);
        connect(this, &QWebEnginePage::fullScreenRequested, this, &SilentWebPage::refuseFullScreen);
        connect(this, &QWebEnginePage::quotaRequested, this, &SilentWebPage::refuseQuota);
        connect(this, &QWebEnginePage::registerProtocolHandlerRequested, this,
                &SilentWebPage::refuseProtocolHandler);
        connect(this, &QWebEnginePage::fileSystemAccessRequested, this,
                &SilentWebPage::refuseFileSystemAccess);
        setAudioMuted(true);
    }

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType, bool isMainFrame) override
    {
        // Frames may still start out blank; everything that loads is web.
        return isWebUrl(url) || (!isMainFrame && url.scheme() == QLatin1String("about"));
    }

    void javaScriptAlert(const QUrl&, const QString&) override {}
    bool javaScriptConfirm(const QUrl&, const QString&) override { return false; }
    bool javaScriptPrompt(const QUrl&, const QString&, const QString&, QString*) override { return false; }
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString&, int, const QString&) override
    {}
    QStringList chooseFiles(FileSelectionMode, const QStringList&, const QStringList&) override { return {}; }

    QWebEnginePage* createWindow(WebWindowType) override
    {
        m_loader->refuseNewWindow();
        return nullptr;
    }

private:
    void denyPermission(const QUrl& origin, Feature feature)
    {
        setFeaturePermission(origin, feature, PermissionDeniedByUser);
    }
    void rejectCertificate(const QWebEngineCertificateError& error)
    {
        QWebEngineCertificateError rejected = error;
        rejected.rejectCertificate();
    }
    void refuseCredentials(const QUrl&, QAuthenticator* authenticator) { *authenticator = QAuthenticator(); }
    void answerProxyCredentials(const QUrl&, QAuthenticator* authenticator, const QString&)
    {
        m_loader->answerProxy(authenticator);
    }
    void selectNoCertificate(QWebEngineClientCertificateSelection selection) { selection.selectNone(); }
    void refuseFullScreen(QWebEngineFullScreenRequest request) { request.reject(); }
    void refuseQuota(QWebEngineQuotaRequest request) { request.reject(); }
    void refuseProtocolHandler(QWebEngineRegisterProtocolHandlerRequest request) { request.reject(); }
    void refuseFileSystemAccess(QWebEngineFileSystemAccessRequest request) { request.reject(); }

    QtPageLoader* m_loader;
};

QtPageLoader::QtPageLoader(QObject* parent) : QObject(parent)
{
    m_deadline.setSingleShot(true);
    m_deadline.setInterval(kNavigationDeadlineMs);
    connect(&m_deadline, &QTimer::timeout, this, &QtPageLoader::stopAtDeadline);
    makePage();
}

void QtPageLoader::makePage()
{
    m_page = new SilentWebPage(sharedProfile(), this);
    connect(m_page, &QWebEnginePage::loadStarted, this, &QtPageLoader::beginLoad);
    connect(m_page, &QWebEnginePage::loadingChanged, this, &QtPageLoader::noteLoading);
    connect(m_page, &QWebEnginePage::loadFinished, this, &QtPageLoader::endLoad);
    connect(m_page, &QWebEnginePage::loadProgress, this, &QtPageLoader::reportProgress);
    connect(m_page, &QWebEnginePage::renderProcessTerminated, this, &QtPageLoader::endAfterRendererLoss);
}

void QtPageLoader::dropPage()
{
    // A PageText() waiting on this page must not wait out its time-out.
    for (QEventLoop* wait : m_textWaits) {
        wait->quit();
    }
    // The page goes first, without reporting to a loader half gone.
    disconnect(m_page, nullptr, this, nullptr);
    delete m_page;
    m_page = nullptr;
}

QtPageLoader::~QtPageLoader()
{
    dropPage();
}

void QtPageLoader::ReleasePage()
{
    dropPage();
    makePage();
    m_deadline.stop();
    m_busy = false;
    m_hasNewDocument = false;
    m_httpStatus = 0;
}

void QtPageLoader::SetVisible(bool visible)
{
    m_visible = visible;
}

void QtPageLoader::SetSilent(bool silent)
{
    m_silent = silent;
}

bool QtPageLoader::Busy() const
{
    return m_busy;
}

void QtPageLoader::Navigate(const std::string& url)
{
    if (m_timedOut) {
        // The page that ran out of time may have a renderer stuck in a script,
        // which would hold up this load too: a fresh page has a fresh one.
        ReleasePage();
    }
    const unsigned navigation = ++m_navigation;
    m_busy = true;
    m_timedOut = false;
    m_hasNewDocument = false;
    m_httpStatus = 0;
    m_proxyAsks = 0;
    m_proxyFailure = ProxyFailure::None;
    m_deadline.start();
    const QUrl target(QString::fromUtf8(url.data(), static_cast<qsizetype>(url.size())), QUrl::TolerantMode);
    if (!target.isValid() || !isWebUrl(target) || target.toEncoded().size() > kMaxUrlBytes) {
        // Nothing loads; it still completes, as a failed load, so that nobody
        // waits for a load that never starts.
        m_page->triggerAction(QWebEnginePage::Stop);
        QTimer::singleShot(0, this, [this, navigation] {
            if (navigation == m_navigation && m_busy) {
                endLoad(false);
            }
        });
        return;
    }
    m_page->load(target);
}

std::string QtPageLoader::PageText()
{
    if (!m_hasNewDocument) {
        return {};
    }
    const std::optional<QString> text =
        evaluate(QStringLiteral("document.body ? document.body.innerText : ''"));
    if (!text) {
        return {};
    }
    return utf8WithCrLfLineEnds(std::u16string_view(reinterpret_cast<const char16_t*>(text->utf16()),
                                                    static_cast<std::size_t>(text->size())));
}

std::vector<std::string> QtPageLoader::LinkTargets(const std::vector<std::string>& cutMarkers)
{
    if (!m_hasNewDocument) {
        return {};
    }
    QJsonArray markers;
    for (const std::string& marker : cutMarkers) {
        if (!marker.empty()) {
            markers.append(QString::fromStdString(marker));
        }
    }
    // The markers go in as a JSON literal, which a script reads as its own.
    const QString script =
        QStringLiteral(
            "(function (markers, max, maxLength) {"
            " var blocks = /^(ADDRESS|ARTICLE|ASIDE|BLOCKQUOTE|BR|DD|DIV|DL|DT|FIELDSET|FIGCAPTION|FIGURE|"
            "FOOTER|FORM|H[1-6]|HEADER|HR|LI|MAIN|NAV|OL|P|PRE|SECTION|TABLE|TBODY|TD|TH|THEAD|TR|UL)$/;"
            " var out = [], cut = false;"
            " function holds(t) { for (var i = 0; i < markers.length; ++i) { if (t.indexOf(markers[i]) >= 0)"
            " return true; } return false; }"
            " function walk(node, depth) {"
            "  if (out.length >= max || depth > 400) return;"
            "  if (node.nodeType === 3) { if (holds(node.data)) cut = true; return; }"
            "  if (node.nodeType !== 1) return;"
            "  var block = blocks.test(node.tagName);"
            "  if (block) cut = false;"
            "  if (node.tagName === 'A' && !cut) { var h = node.href;"
            "   if (typeof h === 'string' && /^https?:/i.test(h) && h.length <= maxLength &&"
            " !holds(node.textContent || '')) out.push(h); }"
            "  for (var c = node.firstChild; c; c = c.nextSibling) walk(c, depth + 1);"
            "  if (block) cut = false;"
            " }"
            " if (document.body) walk(document.body, 0);"
            " return out.join('\\n');"
            "})(%1, %2, %3)")
            // One pass: a marker's own "%1" stays as it is.
            .arg(QString::fromUtf8(QJsonDocument(markers).toJson(QJsonDocument::Compact)),
                 QString::number(kMaxLinkTargets), QString::number(kMaxLinkTargetBytes));
    const std::optional<QString> joined = evaluate(script);
    std::vector<std::string> targets;
    if (!joined || joined->isEmpty()) {
        return targets;
    }
    for (const QStringView target : QStringView(*joined).split(u'\n', Qt::SkipEmptyParts)) {
        if (targets.size() >= static_cast<std::size_t>(kMaxLinkTargets)) {
            break;
        }
        std::string text = target.toString().toStdString();
        if (text.size() <= kMaxLinkTargetBytes) {
            targets.push_back(std::move(text));
        }
    }
    return targets;
}

std::string QtPageLoader::RetryAfter()
{
    const QString scheme = m_page->url().scheme();
    if (!m_hasNewDocument || (scheme != QLatin1String("http") && scheme != QLatin1String("https"))) {
        return {};
    }
    // A HEAD request from the page itself carries its cookies; the engine
    // gives no other way to read the main document's headers.
    const std::optional<QString> value = evaluate(QStringLiteral(
        "(function () { try { var r = new XMLHttpRequest(); r.open('HEAD', location.href, false); r.send();"
        " return r.getResponseHeader('Retry-After') || ''; } catch (e) { return ''; } })()"));
    return value ? value->left(100).toStdString() : std::string();
}

std::optional<QString> QtPageLoader::evaluate(const QString& script)
{
    struct Answer {
        bool arrived = false;
        QString text;
    };
    auto answer = std::make_shared<Answer>();
    QEventLoop wait;
    QPointer<QEventLoop> waitGuard(&wait);
    // The callback may come after this call gave up; it then only fills an
    // answer nobody reads.
    m_page->runJavaScript(script, QWebEngineScript::ApplicationWorld,
                          [answer, waitGuard](const QVariant& result) {
                              answer->arrived = true;
                              answer->text = result.toString();
                              if (waitGuard) {
                                  waitGuard->quit();
                              }
                          });
    if (!answer->arrived) {
        QPointer<QtPageLoader> self(this);
        m_textWaits.push_back(&wait);
        QTimer::singleShot(m_pageTextTimeoutMs, &wait, &QEventLoop::quit);
        wait.exec();
        if (!self) {
            return std::nullopt;
        }
        m_textWaits.erase(std::remove(m_textWaits.begin(), m_textWaits.end(), &wait), m_textWaits.end());
    }
    if (!answer->arrived) {
        return std::nullopt;
    }
    return answer->text;
}

std::string QtPageLoader::LocationURL() const
{
    return m_page->url().toString(QUrl::FullyEncoded).toStdString();
}

QWebEnginePage* QtPageLoader::page() const
{
    return m_page;
}

void QtPageLoader::beginLoad()
{
    if (!m_busy) {
        m_deadline.start(); // a load the page started by itself
    }
    m_busy = true;
}

void QtPageLoader::noteLoading(const QWebEngineLoadingInfo& info)
{
    // A load that succeeded or failed put a document in place (the server's
    // error page, or the browser's); a stopped one, such as an answer turned
    // into a refused download, left the previous page there.
    if (info.status() == QWebEngineLoadingInfo::LoadSucceededStatus ||
        info.status() == QWebEngineLoadingInfo::LoadFailedStatus) {
        m_hasNewDocument = true;
        // The engine reports statuses of 400 and up as errors of their own
        // domain; anything it calls a success came with a status below that.
        if (info.errorDomain() == QWebEngineLoadingInfo::HttpStatusCodeDomain) {
            m_httpStatus = info.errorCode();
        } else {
            m_httpStatus = info.status() == QWebEngineLoadingInfo::LoadSucceededStatus ? 200 : 0;
        }
        if (m_proxyFailure == ProxyFailure::None) {
            const QWebEngineLoadingInfo::ErrorDomain domain = info.errorDomain();
            if (domain == QWebEngineLoadingInfo::ConnectionErrorDomain ||
                domain == QWebEngineLoadingInfo::HttpErrorDomain ||
                domain == QWebEngineLoadingInfo::DnsErrorDomain) {
                m_proxyFailure = proxyFailureOf(info.errorCode(), !proxyCredentials().user.empty());
            } else if (m_httpStatus == 407) {
                // The proxy's own refusal, shown as the page.
                m_proxyFailure = proxyCredentials().user.empty() ? ProxyFailure::NeedsCredentials
                                                                 : ProxyFailure::CredentialsRefused;
            }
        }
    }
}

void QtPageLoader::answerProxy(QAuthenticator* authenticator)
{
    const BrowserProxyCredentials& credentials = proxyCredentials();
    if (credentials.user.empty()) {
        m_proxyFailure = ProxyFailure::NeedsCredentials;
        *authenticator = QAuthenticator();
    } else if (++m_proxyAsks > 1) {
        // Asked again after the credentials went: they were refused.
        m_proxyFailure = ProxyFailure::CredentialsRefused;
        *authenticator = QAuthenticator();
    } else {
        authenticator->setUser(QString::fromStdString(credentials.user));
        authenticator->setPassword(QString::fromStdString(credentials.password));
    }
}

void QtPageLoader::endLoad(bool)
{
    m_deadline.stop();
    m_busy = false;
    if (OnDocumentComplete) {
        OnDocumentComplete();
    }
}

void QtPageLoader::reportProgress(int progress)
{
    if (OnProgressChange) {
        OnProgressChange(progress, 100);
    }
}

void QtPageLoader::endAfterRendererLoss()
{
    // A crashed or killed renderer finishes no load; end the wait for it.
    if (m_busy) {
        endLoad(false);
    }
}

void QtPageLoader::stopAtDeadline()
{
    if (!m_busy) {
        return;
    }
    m_timedOut = true;
    m_page->triggerAction(QWebEnginePage::Stop);
    // A page whose renderer hangs may not even report being stopped.
    if (m_busy) {
        endLoad(false);
    }
}

void QtPageLoader::refuseNewWindow()
{
    bool cancel = false;
    if (OnNewWindow2) {
        OnNewWindow2(cancel);
    }
    // Whatever the handler decided, a hidden loader has nowhere to show a window.
}

} // namespace ostrevo
