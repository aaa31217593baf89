// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
// The lookup run in the real browser engine, against whois pages served on
// loopback.
#include "expired/tform1.h"
#include "pageloader/qtpageloader.h"
#include "platform/eventpump.h"
#include "platform/ticksource.h"

#include "loopbackhttpserver.h"
#include "scriptedprompts.h"

#include <gtest/gtest.h>

#include <mutex>

namespace ostrevo {
namespace {

using test::LoopbackHttpServer;
using test::ScriptedPrompts;

std::string htmlPage(const std::string& lines)
{
    return "<html><head><title>Whois</title></head><body><h1>Whois lookup</h1><pre>" + lines +
           "</pre></body></html>";
}

TEST(LookupRunInBrowser, WhoisPagesBecomeRows)
{
    LoopbackHttpServer server;
    std::mutex askedMutex;
    std::vector<std::string> asked; // "first:host" / "second:host", in request order
    const auto ask = [&](const std::string& service, const std::string& host) {
        const std::lock_guard lock(askedMutex);
        asked.push_back(service + ":" + host);
    };
    // First service: one record in the registry layout, one unknown domain.
    server.get("/cgi-bin/whois/whois", [&](const httplib::Request& request, httplib::Response& response) {
        const std::string host = request.get_param_value("STRING");
        ask("first", host);
        std::string body;
        if (host == "refused-next.com") {
            body = htmlPage("Sorry, you exceeded the query limit.\n");
        } else if (host == "nowhere.net") {
            body = htmlPage("No match for domain \"NOWHERE.NET\".\n");
        } else {
            body = htmlPage("Domain Name: " + host + "\nRegistrant Email: owner@" + host +
                            "\nRegistry Expiry Date: 2029-02-03T05:00:00Z\n");
        }
        response.set_content(body, "text/html; charset=utf-8");
    });
    // Second service: the older day-first layout.
    server.get("/whois", [&](const httplib::Request& request, httplib::Response& response) {
        const std::string host = request.get_param_value("domain");
        ask("second", host);
        response.set_content(
            htmlPage("domain: " + host + "\ncontact: admin@" + host + "\nRecord expires on 05-Nov-2025.\n"),
            "text/html; charset=utf-8");
    });
    server.start();
    const std::string hostAndPort = "127.0.0.1:" + std::to_string(server.port());

    ScriptedPrompts prompts;
    SteadyTickSource ticks;
    EventPump pump(ticks);
    TForm1 form(prompts, pump, std::make_unique<QtPageLoader>(),
                WhoisServices{{hostAndPort, "/cgi-bin/whois/whois?SearchType=do&STRING="},
                              {hostAndPort, "/whois?l=FR&domain="}});
    form.Button1Click(
        {"first-host.org", "registry.com", "refused-next.com", "after-refusal.net", "nowhere.net"});

    // Host 0 goes to the second service; a refused host is asked there once
    // more, and so is the host after the refusal.
    {
        const std::lock_guard lock(askedMutex);
        EXPECT_EQ(asked, (std::vector<std::string>{"second:first-host.org", "first:registry.com",
                                                   "first:refused-next.com", "second:refused-next.com",
                                                   "second:after-refusal.net", "first:nowhere.net"}));
    }
    ResultTable& table = form.table();
    ASSERT_EQ(table.RowCount(), 4);
    EXPECT_EQ(table.Row(0).Caption(), "http://after-refusal.net");
    EXPECT_EQ(table.Row(0).SubItems(),
              (std::vector<std::string>{"mailto:admin@after-refusal.net", "2025/11/05"}));
    EXPECT_EQ(table.Row(1).Caption(), "http://first-host.org");
    EXPECT_EQ(table.Row(1).SubItems(),
              (std::vector<std::string>{"mailto:admin@first-host.org", "2025/11/05"}));
    EXPECT_EQ(table.Row(2).Caption(), "http://refused-next.com");
    EXPECT_EQ(table.Row(2).SubItems(),
              (std::vector<std::string>{"mailto:admin@refused-next.com", "2025/11/05"}));
    EXPECT_EQ(table.Row(3).Caption(), "http://registry.com");
    EXPECT_EQ(table.Row(3).SubItems(), (std::vector<std::string>{"mailto:owner@registry.com", "2029/02/03"}));
    EXPECT_TRUE(prompts.log().empty());
}

} // namespace
} // namespace ostrevo
