// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "net/httpgettext.h"

#include "net/httpclient.h"
#include "net/httpurl.h"

#include <QEventLoop>
#include <QTimer>

#include <exception>
#include <optional>

namespace ostrevo {

namespace {

// How often a wait looks at the caller's cancel test.
constexpr int CancelPollMs = 50;

HttpTextResult get(std::string_view url, const HttpGetOptions& options)
{
    HttpClient client;
    std::optional<HttpReply> reply;
    QEventLoop loop;
    HttpRequest request;
    request.url = withDefaultScheme(url);
    request.userAgent = "InetURL:/1.0";
    request.noCache = true;
    HttpLimits limits;
    limits.deadline = options.totalTimeout;
    limits.maxBodyBytes = options.maxBodySize;
    client.get(request, limits, [&](HttpReply answer) {
        reply = std::move(answer);
        loop.quit();
    });
    QTimer poll;
    if (options.cancelled) {
        QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
            if (options.cancelled()) {
                loop.quit();
            }
        });
        poll.start(CancelPollMs);
    }
    if (!reply) {
        loop.exec();
    }
    HttpTextResult result;
    if (!reply) {
        client.abortAll();
        result.error = "Cancelled";
        return result;
    }
    result.status = reply->status;
    result.proxyFailure = reply->proxyFailure;
    if (!reply->error.empty()) {
        result.error = std::move(reply->error);
    } else if (reply->status != 200) {
        // Redirects were followed: a 3xx here had no usable Location, and its
        // body is no answer.
        result.error = "Status:" + std::to_string(reply->status);
    } else {
        result.ok = true;
        result.body = std::move(reply->body);
    }
    return result;
}

} // namespace

HttpTextResult HttpGetText(std::string_view url, const HttpGetOptions& options)
{
    try {
        return get(url, options);
    } catch (const std::exception& e) {
        HttpTextResult failed;
        failed.error = e.what();
        return failed;
    }
}

} // namespace ostrevo
