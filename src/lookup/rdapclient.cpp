// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "lookup/rdapclient.h"

namespace ostrevo {

RdapClient::RdapClient(RdapClientLimits limits) : m_limits(limits)
{}

void RdapClient::get(const std::string& url, std::function<void(RdapReply)> done)
{
    // Aggregators redirect to the authoritative server.
    HttpRequest request;
    request.url = url;
    request.accept = "application/rdap+json, application/json;q=0.9";
    HttpLimits limits;
    limits.deadline = m_limits.deadline;
    limits.maxBodyBytes = m_limits.maxBytes;
    m_http.get(request, limits, [done = std::move(done)](HttpReply reply) {
        RdapReply answer;
        answer.status = reply.status;
        answer.body = std::move(reply.body);
        answer.overHttps = reply.overHttps;
        answer.proxyFailure = std::move(reply.proxyFailure);
        if (reply.retryAfterSeconds) {
            answer.retryAfterMs = *reply.retryAfterSeconds * 1000;
        }
        done(std::move(answer));
    });
}

void RdapClient::abortAll()
{
    m_http.abortAll();
}

} // namespace ostrevo
