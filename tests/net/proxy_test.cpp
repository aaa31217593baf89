// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
// Everything the HTTP client loads (RDAP, the catalogue and RDAP-server
// updates) goes through the proxy chosen, with its credentials, and a failing
// proxy holds a lookup run with one message instead of unanswered hosts.
#include "lookup/rdapbootstrap.h"
#include "lookup/rdapclient.h"
#include "lookup/rdaplookup.h"
#include "net/activeproxy.h"
#include "net/httpgettext.h"
#include "net/proxysetting.h"
#include "platform/eventpump.h"
#include "platform/settings.h"
#include "platform/ticksource.h"

#include "loopbackhttpserver.h"
#include "loopbackproxy.h"
#include "rdaptestservers.h"

#include <QFile>
#include <QSettings>

#include <gtest/gtest.h>

#include <algorithm>

namespace ostrevo {
namespace {

using test::LoopbackHttpServer;
using test::LoopbackProxy;

ProxyChoice manual(int port, std::string user = {})
{
    return {ProxyMode::Manual, ProxyKind::Http, "127.0.0.1", port, std::move(user)};
}

int refusedPort()
{
    const std::string url = LoopbackHttpServer::refusedUrl();
    return std::stoi(url.substr(url.rfind(':') + 1));
}

bool holds(const std::vector<std::string>& lines, const std::string& line)
{
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

class Proxy : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_server.serve("/listex.txt", "engines");
        m_server.serve("/rdap-dns.json", "servers");
        m_server.start();
    }
    void TearDown() override { useProxy({}, {}); }

    LoopbackHttpServer m_server;
};

TEST_F(Proxy, TheUpdatesAndRdapGoThroughAManualProxyAndNotWithNoProxy)
{
    LoopbackProxy proxy(m_server.port());
    useProxy(manual(proxy.port()), {});
    // Names of no real host: only the proxy can bring their answers.
    EXPECT_EQ(HttpGetText("http://catalogue.example/listex.txt").body, "engines");
    EXPECT_EQ(HttpGetText("http://updates.example/rdap-dns.json").body, "servers");
    std::optional<RdapReply> rdap;
    RdapClient client;
    client.get("http://rdap.example/rdap-dns.json", [&](RdapReply reply) { rdap = std::move(reply); });
    SteadyTickSource ticks;
    EventPump(ticks).waitUntil([&] { return rdap.has_value(); });
    EXPECT_EQ(rdap->status, 200);
    // https is tunnelled: the proxy sees where to, never what.
    EXPECT_FALSE(HttpGetText("https://secure.example/listex.txt").ok);
    const std::vector<std::string> seen = proxy.requests();
    for (const char* line :
         {"GET http://catalogue.example/listex.txt", "GET http://updates.example/rdap-dns.json",
          "GET http://rdap.example/rdap-dns.json", "CONNECT secure.example:443"}) {
        EXPECT_TRUE(holds(seen, line)) << line;
    }

    // This machine is reached directly, and a refusal there is the server's.
    EXPECT_TRUE(HttpGetText(m_server.url("/listex.txt")).ok);
    EXPECT_EQ(HttpGetText(LoopbackHttpServer::refusedUrl()).error, "Connection refused");

    useProxy({ProxyMode::None}, {});
    EXPECT_TRUE(HttpGetText(m_server.url("/listex.txt")).ok);
    EXPECT_EQ(proxy.requests().size(), seen.size());
}

TEST_F(Proxy, AProxyAskingForCredentialsGetsTheStoredOnesAndAWrongPasswordSaysSo)
{
    LoopbackProxy proxy(m_server.port());
    proxy.requireCredentials("ann", "s3cret");
    const std::string address = "127.0.0.1:" + std::to_string(proxy.port());

    useProxy(manual(proxy.port(), "ann"), "s3cret");
    EXPECT_EQ(HttpGetText("http://catalogue.example/listex.txt").body, "engines");
    EXPECT_EQ(proxy.requests().size(), 1U);

    useProxy(manual(proxy.port(), "ann"), "wrong");
    HttpTextResult refused = HttpGetText("http://catalogue.example/listex.txt");
    EXPECT_EQ(refused.error, "The proxy " + address + " refused the user name and password");
    useProxy(manual(proxy.port()), {});
    refused = HttpGetText("http://catalogue.example/listex.txt");
    EXPECT_EQ(refused.error, "The proxy " + address +
                                 " asks for a user name and password: enter them in Preferences, Network");
    EXPECT_EQ(proxy.requests().size(), 1U);

    const int closed = refusedPort();
    useProxy(manual(closed), {});
    EXPECT_EQ(HttpGetText("http://catalogue.example/listex.txt").error,
              "The proxy 127.0.0.1:" + std::to_string(closed) + " refused the connection");
}

TEST_F(Proxy, AnRdapRunHoldsEveryHostWhileTheProxyFailsAndGoesOnWhenTold)
{
    test::RdapTestServers servers;
    // Loopback addresses never go through a proxy: the registry gets a name.
    std::string file = servers.bootstrap();
    const std::string loopback = "http://127.0.0.1:";
    for (std::size_t at = file.find(loopback); at != std::string::npos; at = file.find(loopback)) {
        file.replace(at, loopback.size(), "http://registry.example:");
    }
    const std::optional<RdapServers> bootstrap = readRdapBootstrap(file);
    ASSERT_TRUE(bootstrap);
    LoopbackProxy working(servers.registry().port());
    const int closed = refusedPort();
    useProxy(manual(closed), {});
    std::vector<std::string> messages;
    std::vector<RdapHostResult> results;
    const auto play = [&](bool tryAgain) {
        SteadyTickSource ticks;
        EventPump pump(ticks);
        RdapClient client;
        RdapRun run({"mail-a.com", "mail-b.com", "mail-c.com"}, *bootstrap, {.requestsPerSecond = 100});
        return playRdapRun(run, client, pump,
                           {[](std::size_t) {}, [&](const RdapHostResult& r) { results.push_back(r); },
                            [] { return false; },
                            [&](const std::string& message) {
                                messages.push_back(message);
                                // The user sets a working proxy before trying again.
                                useProxy(manual(working.port()), {});
                                return tryAgain;
                            }});
    };
    EXPECT_FALSE(play(false));
    EXPECT_TRUE(results.empty());
    useProxy(manual(closed), {});
    messages.clear();
    EXPECT_TRUE(play(true));
    // One question for all the requests in flight, and every host answered afterwards.
    EXPECT_EQ(messages, std::vector<std::string>{"The proxy 127.0.0.1:" + std::to_string(closed) +
                                                 " refused the connection"});
    ASSERT_EQ(results.size(), 3U);
    for (const RdapHostResult& result : results) {
        EXPECT_EQ(result.outcome, RdapHostOutcome::Row);
    }
}

TEST_F(Proxy, ThePasswordStaysOutOfTheSettingsFile)
{
    MemorySecretStore secrets;
    ProxyChoice choice = manual(3128, "ann");
    choice.kind = ProxyKind::Socks5;
    saveProxyChoice(choice);
    EXPECT_EQ(saveProxyPassword(secrets, choice, "pa55word"), SecretStore::Status::Done);
    EXPECT_EQ(loadProxyChoice(), choice);
    SecretStore::Status status{};
    EXPECT_EQ(loadProxyPassword(secrets, choice, &status), "pa55word");
    QSettings().sync();
    QFile file(QSettings().fileName());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_FALSE(file.readAll().contains("pa55word"));

    // A hand-edited file with a bad port falls back to the system's proxy.
    store(settingskey::ProxyPort, QStringLiteral("99999"));
    EXPECT_EQ(loadProxyChoice(), ProxyChoice{});
}

TEST(SecretStore, WithoutADesktopStoreItSaysSoInsteadOfWaiting)
{
    const QByteArray bus = qgetenv("DBUS_SESSION_BUS_ADDRESS");
    qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/bus");
    const std::unique_ptr<SecretStore> store = makeDesktopSecretStore(std::chrono::seconds(3));
    std::string secret;
    EXPECT_EQ(store->read("proxy ann@p:1", secret), SecretStore::Status::NoStore);
    EXPECT_EQ(store->write("proxy ann@p:1", "x"), SecretStore::Status::NoStore);
    qputenv("DBUS_SESSION_BUS_ADDRESS", bus);
}

} // namespace
} // namespace ostrevo
