// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
// A long lookup run: every record becomes its row and memory stays flat.
#include "expired/tform1.h"
#include "platform/eventpump.h"
#include "platform/statuspanels.h"

#include "fakepageloader.h"
#include "faketicksource.h"
#include "scriptedprompts.h"
#include "systemsupport.h"

#include <gtest/gtest.h>

#include <iostream>

namespace ostrevo {
namespace {

using test::FakePageLoader;
using test::FakeTickSource;
using test::ScriptedPrompts;

std::string hostName(int i)
{
    return "host-" + std::to_string(100000 + i) + (i % 3 == 0 ? ".com" : i % 3 == 1 ? ".net" : ".org");
}

// What a registrar's page reads like as body text, a few kilobytes each.
std::string whoisText(const std::string& url)
{
    const std::string host = url.substr(url.rfind('=') + 1);
    const int n = std::stoi(host.substr(5, 6)) - 100000;
    std::string text =
        "Whois lookup\r\nDomain Name: " + host + "\r\nRegistrant Email: owner@" + host + "\r\n";
    text += n % 2 == 0 ? "Registry Expiry Date: 20" + std::to_string(26 + n % 10) + "-02-03T05:00:00Z\r\n"
                       : "Record expires on 05-Nov-20" + std::to_string(26 + n % 10) + ".\r\n";
    for (int line = 0; line < 40; ++line) {
        text += "Terms of use: the data in this whois database is provided for information only.\r\n";
    }
    return text;
}

TEST(LongLookupRun, TwoThousandHostsBecomeRowsInFlatMemory)
{
    constexpr int Hosts = 2000;
    ScriptedPrompts prompts;
    FakeTickSource ticks;
    EventPump pump(ticks);
    auto loader = std::make_unique<FakePageLoader>();
    loader->answerEveryNavigation(&whoisText);
    TForm1 form(prompts, pump, std::move(loader),
                WhoisServices{{"127.0.0.1:9", "/cgi-bin/whois/whois?SearchType=do&STRING="},
                              {"127.0.0.1:9", "/whois?l=FR&domain="}});
    std::vector<std::string> hosts;
    for (int i = 0; i < Hosts; ++i) {
        hosts.push_back(hostName(i));
    }

    // A first run warms up allocators and caches; the second one is measured.
    form.Button1Click(hosts);
    ASSERT_EQ(form.table().RowCount(), Hosts);
    form.E1->trigger();
    const long before = test::residentKb();
    form.Button1Click(hosts);
    const long after = test::residentKb();
    form.E1->trigger();
    form.Button1Click(hosts);
    const long third = test::residentKb();
    std::cout << "[ figures  ] VmRSS before " << before << " kB, after 2,000 hosts " << after
              << " kB, after another 2,000 " << third << " kB\n";

    ResultTable& table = form.table();
    ASSERT_EQ(table.RowCount(), Hosts);
    for (int i = 0; i < Hosts; ++i) {
        const ResultRow& row = table.Row(i);
        // Captions sort as texts, and the names are of equal length.
        const std::string host(row.Caption().substr(7));
        const int n = std::stoi(host.substr(5, 6)) - 100000;
        ASSERT_EQ(host, hostName(n));
        const std::string year = "20" + std::to_string(26 + n % 10);
        ASSERT_EQ(row.SubItems(), (std::vector<std::string>{"mailto:owner@" + host,
                                                            n % 2 == 0 ? year + "/02/03" : year + "/11/05"}))
            << host;
    }
    // Every row is counted, the last one too.
    EXPECT_EQ(form.StatusBar1->panelText(1), QStringLiteral("Domains:2000"));
#ifndef __SANITIZE_ADDRESS__
    // AddressSanitizer holds freed memory back on purpose: no bound there.
    EXPECT_LT(after - before, 50 * 1024);
    EXPECT_LT(third - after, 20 * 1024);
#endif
    EXPECT_TRUE(prompts.log().empty());
}

} // namespace
} // namespace ostrevo
