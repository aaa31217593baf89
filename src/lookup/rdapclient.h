// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// RDAP requests over the program's HTTP client: asynchronous on the event
// loop, each with a deadline and a size bound.

#include "lookup/rdapanswer.h"
#include "net/httpclient.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace ostrevo {

struct RdapReply {
    long status = 0; // 0: no answer (network error, deadline, too large)
    std::string body;
    std::optional<std::int64_t> retryAfterMs;
    bool overHttps = false;   // the answer, after any redirects, came over https
    std::string proxyFailure; // the proxy failed: the server was never asked
};

struct RdapClientLimits {
    std::chrono::milliseconds deadline{20'000}; // the whole request, redirects included
    std::size_t maxBytes = MaxRdapAnswerBytes;
};

class RdapClient final {
public:
    explicit RdapClient(RdapClientLimits limits = {});

    // GET `url` asking for RDAP JSON; `done` runs once, from the event loop,
    // unless abortAll() comes first.
    void get(const std::string& url, std::function<void(RdapReply)> done);
    // Drops every request in flight; their callbacks never run.
    void abortAll();

private:
    RdapClientLimits m_limits;
    HttpClient m_http;
};

} // namespace ostrevo
