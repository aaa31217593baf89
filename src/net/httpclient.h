// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// The program's one HTTP client outside the browser engine: GET requests on
// Qt Network, asynchronous on the event loop, each bounded in size, time and
// redirects. RDAP, the RDAP-server update and the catalogue update all go
// through it, so a proxy or a redirect rule is set in one place. It uses the
// proxy of net/activeproxy.h.

#include <QNetworkAccessManager>
#include <QObject>

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class QNetworkReply;

namespace ostrevo {

// The agent the program names itself with, unless a request names another.
inline constexpr const char* ProgramUserAgent = "Ostrevo";

struct HttpRequest {
    std::string url;
    std::string userAgent = ProgramUserAgent;
    std::string accept;   // the Accept header; none when empty
    bool noCache = false; // asks caches on the way for a fresh answer too
};

struct HttpLimits {
    // The whole request, redirects included: a server that accepts and never
    // answers, or trickles bytes, is cut off here.
    std::chrono::milliseconds deadline{30'000};
    std::size_t maxBodyBytes = 64U * 1024U * 1024U;
    int maxRedirects = 5;
    // Schemes the request and every redirect may use; https never leads to http.
    std::vector<std::string> schemes{"http", "https"};
};

struct HttpReply {
    long status = 0;   // of the last answer; 0 when none came
    std::string body;  // every byte, zero bytes included; empty when none came
    std::string error; // why no answer came (network, deadline, size, redirect); empty when one came
    // Set, with `error` the same text, when the request failed at the proxy
    // ("The proxy proxy.example.org:3128 refused the connection"): the
    // server was never asked.
    std::string proxyFailure;
    std::optional<std::int64_t> retryAfterSeconds;
    bool overHttps = false; // the last answer, after any redirects, came over https
};

class HttpClient final : public QObject {
    Q_OBJECT
public:
    explicit HttpClient(QObject* parent = nullptr);
    ~HttpClient() override;

    // Starts a GET; `done` runs once, from the event loop, unless abortAll()
    // comes first. A URL or scheme the limits refuse is answered at once with
    // an error, from the event loop too.
    void get(const HttpRequest& request, const HttpLimits& limits, std::function<void(HttpReply)> done);
    // Drops every request in flight; their callbacks never run.
    void abortAll();

private:
    QNetworkAccessManager m_network;
};

} // namespace ostrevo
