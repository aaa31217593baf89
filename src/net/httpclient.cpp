// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "net/httpclient.h"

#include "net/activeproxy.h"
#include "net/retryafter.h"

#include <QAuthenticator>
#include <QDateTime>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QTimer>

#include <algorithm>
#include <memory>

namespace ostrevo {

namespace {

bool schemeAllowed(const QUrl& url, const HttpLimits& limits)
{
    const std::string scheme = url.scheme().toLower().toStdString();
    return std::find(limits.schemes.begin(), limits.schemes.end(), scheme) != limits.schemes.end();
}

// What one request keeps until its reply finishes.
struct Transfer {
    HttpLimits limits;
    std::function<void(HttpReply)> done;
    std::string error; // set by whatever aborted the reply
    int redirects = 0;
};

// `throughProxy`: a proxy stands between the program and the server, so the
// connection Qt reports on is the one to the proxy.
ProxyFailure proxyFailureOf(QNetworkReply::NetworkError error, bool throughProxy)
{
    switch (error) {
    case QNetworkReply::ConnectionRefusedError:
        return throughProxy ? ProxyFailure::Refused : ProxyFailure::None;
    case QNetworkReply::HostNotFoundError:
        return throughProxy ? ProxyFailure::Unreachable : ProxyFailure::None;
    case QNetworkReply::ProxyConnectionRefusedError:
    case QNetworkReply::ProxyConnectionClosedError:
    case QNetworkReply::UnknownProxyError:
        return ProxyFailure::Refused;
    case QNetworkReply::ProxyNotFoundError:
    case QNetworkReply::ProxyTimeoutError:
        return ProxyFailure::Unreachable;
    case QNetworkReply::ProxyAuthenticationRequiredError:
        return proxyInUse().mode == ProxyMode::Manual && !proxyInUse().user.empty()
                   ? ProxyFailure::CredentialsRefused
                   : ProxyFailure::NeedsCredentials;
    default:
        return ProxyFailure::None;
    }
}

HttpReply replyOf(QNetworkReply* reply, const Transfer& transfer)
{
    HttpReply answer;
    if (!transfer.error.empty()) {
        answer.error = transfer.error;
        return answer;
    }
    const ProxyFailure atProxy = proxyFailureOf(reply->error(), !proxyAddressFor(reply->url()).empty());
    if (atProxy != ProxyFailure::None) {
        answer.proxyFailure = proxyFailureFor(atProxy, reply->url());
        answer.error = answer.proxyFailure;
        return answer;
    }
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (!status.isValid()) {
        answer.error = reply->errorString().toStdString();
        return answer;
    }
    const QByteArray body = reply->read(static_cast<qint64>(transfer.limits.maxBodyBytes) + 1);
    if (static_cast<std::size_t>(body.size()) > transfer.limits.maxBodyBytes) {
        answer.error = "The answer is too large";
        return answer;
    }
    // A body cut short by a broken connection is no answer.
    if (reply->error() != QNetworkReply::NoError && reply->error() < QNetworkReply::ContentAccessDenied) {
        answer.error = reply->errorString().toStdString();
        return answer;
    }
    answer.status = status.toInt();
    // After redirects, the reply's address is the one that answered.
    answer.overHttps = reply->url().scheme() == QLatin1String("https");
    answer.body.assign(body.constData(), static_cast<std::size_t>(body.size()));
    if (reply->hasRawHeader("Retry-After")) {
        const QByteArray value = reply->rawHeader("Retry-After");
        answer.retryAfterSeconds = retryAfterSeconds(std::string_view(value.constData(), value.size()),
                                                     QDateTime::currentSecsSinceEpoch());
    }
    return answer;
}

} // namespace

HttpClient::HttpClient(QObject* parent) : QObject(parent)
{
    // Nothing is remembered between requests.
    m_network.setCookieJar(nullptr);
    // The proxy's credentials are those of the proxy in use, given with it;
    // asked again, they were refused, and the request fails.
    connect(&m_network, &QNetworkAccessManager::proxyAuthenticationRequired, this,
            [](const QNetworkProxy&, QAuthenticator*) {});
}

HttpClient::~HttpClient()
{
    abortAll();
}

void HttpClient::get(const HttpRequest& request, const HttpLimits& limits,
                     std::function<void(HttpReply)> done)
{
    const QUrl url(QString::fromStdString(request.url), QUrl::StrictMode);
    if (!url.isValid() || url.host().isEmpty() || !schemeAllowed(url, limits)) {
        QTimer::singleShot(0, this, [done = std::move(done), text = request.url] {
            HttpReply refused;
            refused.error = "Not an address this download may use: " + text;
            done(std::move(refused));
        });
        return;
    }
    QNetworkRequest ask(url);
    ask.setHeader(QNetworkRequest::UserAgentHeader, QString::fromStdString(request.userAgent));
    if (!request.accept.empty()) {
        ask.setRawHeader("Accept", QByteArray::fromStdString(request.accept));
    }
    if (request.noCache) {
        ask.setRawHeader("Cache-Control", "no-cache");
        ask.setRawHeader("Pragma", "no-cache");
    }
    ask.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    // Each redirect is checked here: its count, its scheme, and never from https to http.
    ask.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::UserVerifiedRedirectPolicy);
    ask.setMaximumRedirectsAllowed(limits.maxRedirects);
    QNetworkReply* reply = m_network.get(ask);

    auto transfer = std::make_shared<Transfer>();
    transfer->limits = limits;
    transfer->done = std::move(done);
    const auto fail = [reply, transfer](std::string why) {
        if (transfer->error.empty()) {
            transfer->error = std::move(why);
        }
        reply->abort();
    };
    connect(reply, &QNetworkReply::redirected, reply, [reply, transfer, fail](const QUrl& target) {
        const QUrl from = reply->url();
        if (++transfer->redirects > transfer->limits.maxRedirects) {
            fail("Too many redirects");
        } else if (!schemeAllowed(target, transfer->limits) ||
                   (from.scheme() == QLatin1String("https") && target.scheme() != QLatin1String("https"))) {
            fail("Refused a redirect to " + target.toString().toStdString());
        } else {
            emit reply->redirectAllowed();
        }
    });
    auto* deadline = new QTimer(reply);
    deadline->setSingleShot(true);
    connect(deadline, &QTimer::timeout, reply, [fail] { fail("The server did not answer in time"); });
    deadline->start(limits.deadline);
    const auto maxBytes = static_cast<qint64>(limits.maxBodyBytes);
    connect(reply, &QNetworkReply::downloadProgress, reply, [fail, maxBytes](qint64 received, qint64 total) {
        if (received > maxBytes || total > maxBytes) {
            fail("The answer is too large");
        }
    });
    connect(reply, &QNetworkReply::finished, this, [reply, transfer] {
        reply->deleteLater();
        const HttpReply answer = replyOf(reply, *transfer);
        transfer->done(answer);
    });
}

void HttpClient::abortAll()
{
    for (QNetworkReply* reply : m_network.findChildren<QNetworkReply*>()) {
        reply->disconnect(this);
        reply->abort();
        reply->deleteLater();
    }
}

} // namespace ostrevo
