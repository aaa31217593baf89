// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "rdaptestservers.h"

#include "rdapfixtures.h"

#include <chrono>
#include <functional>
#include <thread>

namespace ostrevo::test {

namespace {

constexpr const char* RdapJson = "application/rdap+json";

bool startsWith(const std::string& text, const char* prefix)
{
    return text.rfind(prefix, 0) == 0;
}

} // namespace

RdapTestServers::RdapTestServers(int registrars, int delayMs)
    : m_delayMs(delayMs), m_registry(std::make_unique<LoopbackHttpServer>())
{
    m_registry->get(R"(/domain/([^/]+))",
                    [this](const httplib::Request& request, httplib::Response& response) {
                        wait(m_delayMs);
                        answerRegistry(request.matches[1], response);
                    });
    for (int i = 0; i < registrars; ++i) {
        auto server = std::make_unique<LoopbackHttpServer>();
        server->get(R"(/domain/([^/]+))",
                    [this](const httplib::Request& request, httplib::Response& response) {
                        wait(m_delayMs);
                        answerRegistrar(request.matches[1], response);
                    });
        server->start();
        m_registrars.push_back(std::move(server));
    }
    m_registry->start();
}

RdapTestServers::~RdapTestServers()
{
    // The registry's handlers read the registrars' addresses: it stops first.
    m_stopping = true;
    m_registry->stop();
    for (const auto& server : m_registrars) {
        server->stop();
    }
}

bool RdapTestServers::busyFirstTime(const std::string& host)
{
    const std::lock_guard lock(m_mutex);
    return m_busyOnce.insert(host).second;
}

void RdapTestServers::wait(int ms) const
{
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (!m_stopping && std::chrono::steady_clock::now() < until) {
        std::this_thread::sleep_for(std::chrono::milliseconds(std::min(ms, 10)));
    }
}

std::string RdapTestServers::bootstrap() const
{
    return R"({"services": [[["com", "net", "org"], [")" + m_registry->url("/") + R"("]]]})";
}

void RdapTestServers::answerRegistry(const std::string& host, httplib::Response& response)
{
    const std::string registrar =
        m_registrars[std::hash<std::string>{}(host) % m_registrars.size()]->url("/domain/" + host);
    if (startsWith(host, "gone-")) {
        response.status = 404;
    } else if (startsWith(host, "missing-")) {
        response.status = 404;
        response.set_content(R"({"errorCode": 404, "title": "Not Found"})", RdapJson);
    } else if (startsWith(host, "busy-") && busyFirstTime(host)) {
        response.status = 429;
        response.set_header("Retry-After", "1");
    } else if (startsWith(host, "error-")) {
        response.status = 500;
        response.set_content("Internal Server Error", "text/plain");
    } else if (startsWith(host, "stall-")) {
        wait(60'000);
    } else if (startsWith(host, "malformed-")) {
        response.set_content(R"({"objectClassName": "domain", "events": [{"eventAction": )", RdapJson);
    } else if (startsWith(host, "huge-")) {
        response.set_content(registryAnswer(host, "2027-01-01T00:00:00Z", "") + std::string(5'000'000, ' '),
                             RdapJson);
    } else if (startsWith(host, "html-")) {
        response.set_content("<html><body><form>Log in</form></body></html>", "text/html");
    } else if (startsWith(host, "noexpiry-")) {
        response.set_content(registryAnswer(host, "", ""), "application/json");
    } else if (startsWith(host, "cases-")) {
        response.set_content(registryAnswer(host, "2031-07-08T00:00:00+0000", registrar), RdapJson);
    } else {
        response.set_content(registryAnswer(host, "2027-03-04T18:20:01Z", registrar), RdapJson);
    }
}

void RdapTestServers::answerRegistrar(const std::string& host, httplib::Response& response)
{
    std::string registrant = withEmail("owner@" + host);
    std::string role = "registrant";
    if (startsWith(host, "privacy-")) {
        registrant = withEmail("c0ffee@privacy-proxy.test");
    } else if (startsWith(host, "form-")) {
        registrant =
            R"(, "vcardArray": )" +
            vcard(R"(, ["contact-uri", {}, "uri", "https://registrar.test/contact/)" + host + R"("])") +
            RedactedRemark;
    } else if (startsWith(host, "member-")) {
        registrant = R"(, "contact_URI": "https://registrar.test/whois/)" + host + R"(")" + RedactedRemark;
    } else if (startsWith(host, "cases-")) {
        role = "REGISTRANT";
    }
    response.set_content(registrarAnswer(host, registrant, role, "2029-09-09T09:09:09"), RdapJson);
}

} // namespace ostrevo::test
