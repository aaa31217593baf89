// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "net/httpgettext.h"

#include "loopbackhttpserver.h"
#include "silentlistener.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <mutex>

namespace ostrevo {
namespace {

using namespace std::chrono_literals;
using test::LoopbackHttpServer;
using test::SilentListener;

class HttpGetTextTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Loopback requests must not wander off to a proxy of the machine.
        for (const char* name :
             {"http_proxy", "HTTP_PROXY", "https_proxy", "HTTPS_PROXY", "all_proxy", "ALL_PROXY"}) {
            ::unsetenv(name);
        }
    }
};

TEST_F(HttpGetTextTest, OkReturnsTheBodyAndSendsAgentAndNoCache)
{
    LoopbackHttpServer server;
    std::mutex mutex;
    httplib::Headers seen;
    server.get("/listex.txt", [&](const httplib::Request& request, httplib::Response& response) {
        {
            const std::lock_guard lock(mutex);
            seen = request.headers;
        }
        response.set_content("Google\r\nhttp://g/?q=\r\n", "text/plain");
    });
    server.start();
    const HttpTextResult result = HttpGetText(server.url("/listex.txt"));
    EXPECT_TRUE(result.ok) << result.error;
    EXPECT_EQ(result.status, 200);
    EXPECT_EQ(result.body, "Google\r\nhttp://g/?q=\r\n");
    EXPECT_EQ(result.error, "");
    const std::lock_guard lock(mutex);
    const auto header = [&](const char* name) {
        const auto found = seen.find(name);
        return found == seen.end() ? std::string("<none>") : found->second;
    };
    EXPECT_EQ(header("User-Agent"), "InetURL:/1.0");
    EXPECT_EQ(header("Cache-Control"), "no-cache");
    EXPECT_EQ(header("Pragma"), "no-cache");
}

TEST_F(HttpGetTextTest, UrlWithoutSchemeGetsHttp)
{
    LoopbackHttpServer server;
    server.serve("/a", "google", "text/plain");
    server.start();
    const HttpTextResult result = HttpGetText("127.0.0.1:" + std::to_string(server.port()) + "/a");
    EXPECT_TRUE(result.ok) << result.error;
    EXPECT_EQ(result.body, "google");
}

TEST_F(HttpGetTextTest, RedirectIsFollowed)
{
    LoopbackHttpServer server;
    server.get("/old", [](const httplib::Request&, httplib::Response& response) {
        response.set_redirect("/new", 302);
    });
    server.serve("/new", "moved google list", "text/plain");
    server.start();
    const HttpTextResult result = HttpGetText(server.url("/old"));
    EXPECT_TRUE(result.ok) << result.error;
    EXPECT_EQ(result.status, 200);
    EXPECT_EQ(result.body, "moved google list");
}

TEST_F(HttpGetTextTest, OtherStatusesFailWithStatusText)
{
    LoopbackHttpServer server;
    server.serve("/missing", "google says not found", "text/plain", 404);
    server.serve("/broken", "google is down", "text/plain", 500);
    server.start();
    const HttpTextResult notFound = HttpGetText(server.url("/missing"));
    EXPECT_FALSE(notFound.ok);
    EXPECT_EQ(notFound.status, 404);
    EXPECT_EQ(notFound.body, "");
    EXPECT_EQ(notFound.error, "Status:404");
    EXPECT_EQ(HttpGetText(server.url("/broken")).error, "Status:500");
}

TEST_F(HttpGetTextTest, EveryByteIsKeptZeroBytesIncluded)
{
    std::string body;
    for (int i = 0; i < 20000; ++i) {
        body.push_back(static_cast<char>(i % 256)); // a zero byte every 256
    }
    LoopbackHttpServer server;
    server.serve("/binary", body, "application/octet-stream");
    server.start();
    const HttpTextResult result = HttpGetText(server.url("/binary"));
    EXPECT_TRUE(result.ok) << result.error;
    EXPECT_EQ(result.body.size(), body.size());
    EXPECT_EQ(result.body, body);
}

TEST_F(HttpGetTextTest, OverlongBodyFails)
{
    LoopbackHttpServer server;
    server.serve("/big", std::string(100000, 'g'), "text/plain");
    server.start();
    HttpGetOptions options;
    options.maxBodySize = 1000;
    const HttpTextResult result = HttpGetText(server.url("/big"), options);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.body, "");
    EXPECT_FALSE(result.error.empty());
}

TEST_F(HttpGetTextTest, RefusedConnectionFailsWithAReason)
{
    const HttpTextResult result = HttpGetText(LoopbackHttpServer::refusedUrl("/listex.txt"));
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.body, "");
    EXPECT_FALSE(result.error.empty());
}

TEST_F(HttpGetTextTest, RedirectToAnotherSchemeIsRefused)
{
    LoopbackHttpServer server;
    server.get("/local", [](const httplib::Request&, httplib::Response& response) {
        response.set_redirect("file:///etc/hostname", 302);
    });
    server.start();
    const HttpTextResult result = HttpGetText(server.url("/local"));
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.body, "");
    EXPECT_FALSE(result.error.empty());
}

TEST_F(HttpGetTextTest, ARedirectWithoutLocationFails)
{
    LoopbackHttpServer server;
    server.serve("/found", "google list here", "text/plain", 302);
    server.start();
    const HttpTextResult result = HttpGetText(server.url("/found"));
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.status, 302);
    EXPECT_EQ(result.body, "");
    EXPECT_EQ(result.error, "Status:302");
}

TEST_F(HttpGetTextTest, ServerThatNeverAnswersTimesOut)
{
    SilentListener listener;
    HttpGetOptions options;
    options.totalTimeout = 1s;
    const auto started = std::chrono::steady_clock::now();
    const HttpTextResult result =
        HttpGetText("http://127.0.0.1:" + std::to_string(listener.port()) + "/listex.txt", options);
    const auto took = std::chrono::steady_clock::now() - started;
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.body, "");
    EXPECT_FALSE(result.error.empty());
    EXPECT_GE(took, 900ms);
    EXPECT_LT(took, 10s) << "the time-out was not applied";
}

} // namespace
} // namespace ostrevo
