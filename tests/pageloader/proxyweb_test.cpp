// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
// The browser engine's pages (search result pages, whois pages, and the
// "Show page" window, which shows the same page) go through the proxy set
// before the engine starts, give it the credentials in use, and report how
// the proxy failed. Each test runs in a process of its own: the engine reads
// its proxy once.
#include "lookup/whoisservices.h"
#include "net/activeproxy.h"
#include "pageloader/qtpageloader.h"
#include "platform/eventpump.h"
#include "platform/ticksource.h"

#include "loopbackhttpserver.h"
#include "loopbackproxy.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace ostrevo {
namespace {

using test::LoopbackHttpServer;
using test::LoopbackProxy;

class ProxyWeb : public ::testing::Test {
protected:
    ProxyWeb()
    {
        server.serve("/results", "<html><body>garden results</body></html>");
        server.serve("/whois", "<html><body>Registrar WHOIS</body></html>");
        server.start();
    }

    // Loads `url` and gives what failed at the proxy.
    ProxyFailure load(QtPageLoader& loader, const std::string& url)
    {
        loader.Navigate(url);
        pump.waitUntil([&] { return !loader.Busy(); }, 20);
        return loader.ProxyFailureOfLoad();
    }

    bool saw(const LoopbackProxy& proxy, const std::string& line) const
    {
        const std::vector<std::string> seen = proxy.requests();
        return std::find(seen.begin(), seen.end(), line) != seen.end();
    }

    LoopbackHttpServer server;
    SteadyTickSource ticks;
    EventPump pump{ticks};
};

TEST_F(ProxyWeb, SearchAndWhoisPagesGoThroughAManualProxy)
{
    LoopbackProxy proxy(server.port());
    useProxy({ProxyMode::Manual, ProxyKind::Http, "127.0.0.1", proxy.port(), {}}, {});
    QtPageLoader loader;
    loader.setNavigationDeadline(10000);
    EXPECT_EQ(load(loader, "http://search.example/results?q=garden"), ProxyFailure::None);
    EXPECT_NE(loader.PageText().find("garden results"), std::string::npos);
    const std::string whois = whoisUrl({"whois.example", "/whois?domain="}, "a.com");
    load(loader, whois);
    EXPECT_NE(loader.PageText().find("Registrar WHOIS"), std::string::npos);
    load(loader, "https://secure.example/results");
    EXPECT_TRUE(saw(proxy, "GET http://search.example/results?q=garden"));
    EXPECT_TRUE(saw(proxy, "GET " + whois));
    EXPECT_TRUE(saw(proxy, "CONNECT secure.example:443"));
}

TEST_F(ProxyWeb, NoProxyLeavesTheProxyUnasked)
{
    LoopbackProxy proxy(server.port());
    useProxy({ProxyMode::None}, {});
    QtPageLoader loader;
    loader.setNavigationDeadline(5000);
    EXPECT_EQ(load(loader, "http://search.example/results?q=garden"), ProxyFailure::None);
    EXPECT_TRUE(proxy.requests().empty());
}

TEST_F(ProxyWeb, TheProxyGetsTheCredentialsInUseAndAWrongPasswordIsReported)
{
    LoopbackProxy proxy(server.port());
    proxy.requireCredentials("ann", "s3cret");
    const ProxyChoice choice{ProxyMode::Manual, ProxyKind::Http, "127.0.0.1", proxy.port(), "ann"};
    useProxy(choice, "wrong");
    QtPageLoader loader;
    loader.setNavigationDeadline(10000);
    EXPECT_EQ(load(loader, "http://search.example/results?q=a"), ProxyFailure::CredentialsRefused);
    EXPECT_TRUE(proxy.requests().empty());
    useProxy(choice, "s3cret");
    EXPECT_EQ(load(loader, "http://search.example/results?q=b"), ProxyFailure::None);
    EXPECT_TRUE(saw(proxy, "GET http://search.example/results?q=b"));
}

TEST_F(ProxyWeb, AProxyThatRefusesTheConnectionIsReported)
{
    const std::string refused = LoopbackHttpServer::refusedUrl();
    const int port = std::stoi(refused.substr(refused.rfind(':') + 1));
    useProxy({ProxyMode::Manual, ProxyKind::Http, "127.0.0.1", port, {}}, {});
    QtPageLoader loader;
    loader.setNavigationDeadline(10000);
    EXPECT_EQ(load(loader, "http://search.example/results?q=garden"), ProxyFailure::Refused);
}

} // namespace
} // namespace ostrevo
