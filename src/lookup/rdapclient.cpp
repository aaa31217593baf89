// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "lookup/rdapclient.h"

#include "lookup/retryafter.h"

#include <QDateTime>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

namespace ostrevo {

namespace {
constexpr int MaxRedirects = 5;
} // namespace

RdapClient::RdapClient(RdapClientLimits limits, QObject* parent) : QObject(parent), m_limits(limits)
{
    m_network.setCookieJar(nullptr);
}

RdapClient::~RdapClient()
{
    abortAll();
}

void RdapClient::get(const std::string& url, std::function<void(RdapReply)> done)
{
    QNetworkRequest request(QUrl(QString::fromStdString(url), QUrl::StrictMode));
    request.setRawHeader("Accept", "application/rdap+json, application/json;q=0.9");
    request.setHeader(QNetworkRequest::UserAgentHeader, QStringLiteral("Ostrevo"));
    // Aggregators redirect to the authoritative server; never from https to http.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setMaximumRedirectsAllowed(MaxRedirects);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    QNetworkReply* reply = m_network.get(request);

    // The deadline covers the whole answer: a server that trickles bytes is cut off too.
    auto* deadline = new QTimer(reply);
    deadline->setSingleShot(true);
    connect(deadline, &QTimer::timeout, reply, &QNetworkReply::abort);
    deadline->start(m_limits.deadline);
    const auto limit = static_cast<qint64>(m_limits.maxBytes);
    connect(reply, &QNetworkReply::downloadProgress, reply, [reply, limit](qint64 received, qint64 total) {
        if (received > limit || total > limit) {
            reply->abort();
        }
    });
    connect(reply, &QNetworkReply::finished, this,
            [this, reply, done = std::move(done)] { finished(reply, done); });
}

void RdapClient::finished(QNetworkReply* reply, const std::function<void(RdapReply)>& done)
{
    reply->deleteLater();
    RdapReply answer;
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    const bool aborted = reply->error() == QNetworkReply::OperationCanceledError;
    if (status.isValid() && !aborted) {
        answer.status = status.toInt();
        const QByteArray body = reply->read(static_cast<qint64>(m_limits.maxBytes) + 1);
        if (static_cast<std::size_t>(body.size()) > m_limits.maxBytes) {
            answer.status = 0;
        } else {
            answer.body.assign(body.constData(), static_cast<std::size_t>(body.size()));
        }
        if (reply->hasRawHeader("Retry-After")) {
            const QByteArray value = reply->rawHeader("Retry-After");
            if (const auto seconds = retryAfterSeconds(std::string_view(value.constData(), value.size()),
                                                       QDateTime::currentSecsSinceEpoch())) {
                answer.retryAfterMs = *seconds * 1000;
            }
        }
    }
    done(std::move(answer));
}

void RdapClient::abortAll()
{
    for (QNetworkReply* reply : m_network.findChildren<QNetworkReply*>()) {
        reply->disconnect(this);
        reply->abort();
        reply->deleteLater();
    }
}

} // namespace ostrevo
