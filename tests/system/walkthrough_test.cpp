// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
// The whole program as a user walks it, in the real browser engine: two
// search engines, the two whois services and the catalogue update are played
// by a loopback server, the catalogue lives in a scratch folder.
#include "app/startup.h"
#include "expired/tform1.h"
#include "filtres/filtres.h"
#include "pageloader/qtpageloader.h"
#include "platform/eventpump.h"
#include "platform/statuspanels.h"
#include "platform/ticksource.h"
#include "rechercheweb/tliste.h"

#include "loopbackhttpserver.h"
#include "rdaptestservers.h"
#include "scriptedprompts.h"
#include "systemsupport.h"
#include "tablehelpers.h"

#include <QAction>
#include <QDateEdit>
#include <QDir>
#include <QGuiApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace ostrevo {
namespace {

using test::htmlPage;
using test::LoopbackHttpServer;
using test::ScriptedPrompts;
using test::TempFolder;

std::string lines(std::initializer_list<const char*> texts)
{
    std::string body;
    for (const char* text : texts) {
        body += std::string("<p>") + text + "</p>";
    }
    return htmlPage(body);
}

// Engine "Alpha" pages by tens from 0 and cuts lines at " - Cached".
std::string alphaPage(const std::string& page)
{
    if (page == "0") {
        return lines({"Tea shop http://aaa-record.com/index.html - Cached http://cut-away.com/",
                      "Sponsored - Cached http://cut-away.com/", "www.bbb-older.net/green - Cached"});
    }
    if (page == "10") {
        return lines({"Quoted \"https://ccc-refused.org/path\" here", "Mixed https://DDD-After.com/x?y=1"});
    }
    return lines({"No more results"});
}

// Engine "Beta" pages by ones from 1; it repeats one host in other letters.
std::string betaPage(const std::string& page)
{
    if (page == "1") {
        return lines({"Again http://AAA-RECORD.com/dup", "Unknown http://eee-unknown.net/"});
    }
    if (page == "2") {
        return lines({"see http://www.fff-blank.org/about", "\"http://zzz-stalled.com/\""});
    }
    return lines({"Nothing else"});
}

// One whois answer per host, whichever service is asked.
std::string whoisAnswer(const std::string& host)
{
    if (host == "aaa-record.com") {
        return htmlPage("<pre>Domain Name: AAA-RECORD.COM\nRegistrant Email: owner@aaa-record.com\n"
                        "Registry Expiry Date: 2029-02-03T05:00:00Z\n</pre>");
    }
    if (host == "ccc-refused.org") {
        return htmlPage("<p>You have exceeded the number of queries allowed.</p>");
    }
    if (host == "ddd-after.com") {
        return htmlPage("<pre>domain: ddd-after.com\ncontact: admin@ddd-after.com\n"
                        "Record expires on 05-Nov-2025.\n</pre>");
    }
    if (host == "eee-unknown.net") {
        return htmlPage("<pre>No match for domain \"EEE-UNKNOWN.NET\".\n</pre>");
    }
    if (host == "bbb-older.net") {
        return htmlPage("<pre>domain: www.bbb-older.net\ncontact: hostmaster@bbb-older.net\n"
                        "Record expires on 17-Jun-2027.\n</pre>");
    }
    return htmlPage("<p>Whois service. Type a domain name above.</p>");
}

TEST(Walkthrough, KeywordsToSavedAndReloadedRows)
{
    const auto started = std::chrono::steady_clock::now();
    LoopbackHttpServer server;
    std::atomic<bool> stallAsked{false};
    std::atomic<bool> releaseStall{false};
    server.get("/alpha", [](const httplib::Request& request, httplib::Response& response) {
        response.set_content(alphaPage(request.get_param_value("page")), "text/html; charset=utf-8");
    });
    server.get("/beta", [](const httplib::Request& request, httplib::Response& response) {
        response.set_content(betaPage(request.get_param_value("start")), "text/html; charset=utf-8");
    });
    const auto whois = [&](const std::string& host, httplib::Response& response) {
        if (host == "zzz-stalled.com") {
            // Never answers while the test runs.
            stallAsked = true;
            for (int i = 0; i < 1200 && !releaseStall; ++i) {
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
            }
        }
        response.set_content(whoisAnswer(host), "text/html; charset=utf-8");
    };
    server.get("/cgi-bin/whois/whois", [&](const httplib::Request& request, httplib::Response& response) {
        whois(request.get_param_value("STRING"), response);
    });
    server.get("/whois", [&](const httplib::Request& request, httplib::Response& response) {
        whois(request.get_param_value("domain"), response);
    });
    // The catalogue update server; the catalogue names this server, so it is
    // written once the port is known, before anyone asks for it.
    std::string updatedCatalogue;
    server.get("/listex.txt", [&](const httplib::Request&, httplib::Response& response) {
        response.set_content(updatedCatalogue, "text/plain");
    });
    server.start();
    // The stalled handler lets go before the server stops.
    struct Release {
        std::atomic<bool>& flag;
        ~Release() { flag = true; }
    } release{releaseStall};
    const std::string hostAndPort = "127.0.0.1:" + std::to_string(server.port());

    // The installed catalogue knows Alpha only; the update brings Beta.
    const std::string alpha =
        "Alpha\r\nhttp://" + hostAndPort + "/alpha?q=\r\n&page=\r\n0\r\n10\r\n - Cached\r\n";
    // (An update without Google in it would be refused as no catalogue.)
    updatedCatalogue = alpha + "Beta\r\nhttp://" + hostAndPort + "/beta?query=\r\n&start=\r\n1\r\n1\r\n\r\n" +
                       "Google\r\nhttp://" + hostAndPort + "/google?q=\r\n&start=\r\n0\r\n10\r\n";
    TempFolder folder;
    test::writeFile(folder / "listex.txt", alpha);
    const test::CurrentDirectory inFolder(folder.path());
    QGuiApplication::setQuitOnLastWindowClosed(false);

    ScriptedPrompts prompts;
    SteadyTickSource ticks;
    EventPump pump(ticks);
    StartupWindows windows =
        createWindows(prompts, pump, std::make_unique<QtPageLoader>(),
                      WhoisServices{{hostAndPort, "/cgi-bin/whois/whois?SearchType=do&STRING="},
                                    {hostAndPort, "/whois?l=FR&domain="}});
    TForm1& form1 = *windows.Form1;
    Tliste liste(prompts, pump, form1, [] { return std::make_unique<QtPageLoader>(); });
    form1.setLinksWindow(&liste);
    liste.setCatalogueFolder(folder.path());
    liste.setCatalogueServer("http://" + hostAndPort);
    form1.show();
    EXPECT_EQ(form1.StatusBar1->panelText(1), QStringLiteral("Domains:0"));

    // The links search window, filled from the catalogue, then updated.
    form1.BPlay->click();
    ASSERT_TRUE(liste.isVisible());
    ASSERT_EQ(liste.deps->count(), 1);
    liste.SpeedButton1->click();
    EXPECT_EQ(test::readFile(folder / "listex.txt"), updatedCatalogue + "\r\n");
    ASSERT_EQ(liste.deps->count(), 3);
    EXPECT_EQ(liste.deps->item(0)->text(), QStringLiteral("Alpha"));
    EXPECT_EQ(liste.deps->item(1)->text(), QStringLiteral("Beta"));
    EXPECT_EQ(liste.deps->item(2)->text(), QStringLiteral("Google"));
    EXPECT_EQ(liste.StatusBar1->panelText(0), QStringLiteral("Links:"));
    liste.Button1->click();
    liste.keywords->setText(QStringLiteral("green tea"));
    liste.deps->item(0)->setCheckState(Qt::Checked);
    liste.deps->item(1)->setCheckState(Qt::Checked);
    // Seven different hosts exist in all: the limit is reached with the last.
    liste.RadioButton3->click();
    liste.totalresultats->setText(QStringLiteral("7"));
    // Sorted, the hosts reach the lookup in an order that does not depend on
    // which engine answered first.
    auto* sortAction = liste.findChild<QAction*>(QStringLiteral("AlphabeticSort"));
    ASSERT_NE(sortAction, nullptr);
    sortAction->trigger();

    // The lookup waits for the stalled page until Stop is confirmed; the
    // stalled host stays out of the links list.
    prompts.answerQuestion(true);
    prompts.answerQuestion(false);
    bool stopClicked = false;
    int timerTicks = 0;
    QTimer stopper;
    stopper.setInterval(50);
    QObject::connect(&stopper, &QTimer::timeout, [&] {
        ++timerTicks;
        if (stallAsked && !stopClicked && form1.BStop->isEnabled()) {
            stopClicked = true;
            form1.BStop->click();
        }
    });
    stopper.start();
    liste.Bplay->click(); // search, limit, hand-over and lookup, all inside
    stopper.stop();

    EXPECT_TRUE(stopClicked);
    EXPECT_GT(timerTicks, 50); // the window kept handling its timers
    EXPECT_FALSE(liste.isVisible());
    EXPECT_EQ(
        liste.urls().texts(),
        (std::vector<std::string>{"aaa-record.com", "ccc-refused.org", "ddd-after.com", "eee-unknown.net",
                                  "www.bbb-older.net", "www.fff-blank.org", "zzz-stalled.com"}));
    EXPECT_EQ(liste.StatusBar1->panelText(0), QStringLiteral("Links:7"));

    // Host 0 and the host after the refusal went to the second service; the
    // stalled request is logged once answered, after the run.
    const auto valueOf = [](const std::string& request, const std::string& key) {
        const std::size_t from = request.find(key) + key.size();
        return request.substr(from, request.find('&', from) - from);
    };
    std::vector<std::string> whoisAsked;
    for (const std::string& request : server.requests()) {
        if (request.rfind("/cgi-bin/whois/whois?", 0) == 0) {
            whoisAsked.push_back("first:" + valueOf(request, "STRING="));
        } else if (request.rfind("/whois?", 0) == 0) {
            whoisAsked.push_back("second:" + valueOf(request, "domain="));
        }
        EXPECT_EQ(request.find("cut-away"), std::string::npos) << request;
    }
    EXPECT_EQ(whoisAsked, (std::vector<std::string>{"second:aaa-record.com", "first:ccc-refused.org",
                                                    "second:ccc-refused.org", "second:ddd-after.com",
                                                    "first:eee-unknown.net", "first:bbb-older.net",
                                                    "first:fff-blank.org"}));

    ResultTable& table = form1.table();
    const auto rowsAre = [&](const std::vector<std::vector<std::string>>& expected) {
        EXPECT_EQ(test::rowsOf(table), expected);
    };
    // Each host's registered domain is asked and shown.
    rowsAre({{"http://aaa-record.com", "mailto:owner@aaa-record.com", "2029/02/03"},
             {"http://bbb-older.net", "mailto:hostmaster@bbb-older.net", "2027/06/17"},
             {"http://ddd-after.com", "mailto:admin@ddd-after.com", "2025/11/05"}});
    EXPECT_EQ(form1.StatusBar1->panelText(1), QStringLiteral("Domains:3"));
    EXPECT_EQ(form1.StatusBar1->panelText(2), QStringLiteral("zzz-stalled.com"));
    EXPECT_EQ(form1.StatusBar1->panelText(0), QString());
    EXPECT_TRUE(form1.BPlay->isEnabled());
    EXPECT_FALSE(form1.BStop->isEnabled());
    EXPECT_TRUE(form1.BOpen->isEnabled());

    // Tick what expires before 2028, delete the rest.
    form1.Pardatedexpiration1->trigger();
    ASSERT_TRUE(windows.Form2->isVisible());
    windows.Form2->DateTimePicker2->setDate(QDate(2028, 1, 1));
    windows.Form2->SpeedButton1->click();
    EXPECT_FALSE(windows.Form2->isVisible());
    EXPECT_FALSE(table.Row(0).Checked());
    EXPECT_TRUE(table.Row(1).Checked());
    EXPECT_TRUE(table.Row(2).Checked());
    form1.Griss3->trigger();
    const std::vector<std::vector<std::string>> kept{
        {"http://bbb-older.net", "mailto:hostmaster@bbb-older.net", "2027/06/17"},
        {"http://ddd-after.com", "mailto:admin@ddd-after.com", "2025/11/05"}};
    rowsAre(kept);
    EXPECT_EQ(form1.StatusBar1->panelText(1), QStringLiteral("Domains:2"));

    // Save, clear, load back.
    const std::filesystem::path saved = folder / "expire.csv";
    prompts.answerSaveFile(QString::fromStdString(saved.string()));
    form1.BDisk->click();
    const std::string text = test::readFile(saved);
    EXPECT_EQ(text.rfind("Web sites", 0), 0U) << text;
    EXPECT_NE(text.find("http://bbb-older.net"), std::string::npos) << text;
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");

    form1.E1->trigger();
    EXPECT_EQ(table.RowCount(), 0);
    EXPECT_EQ(form1.StatusBar1->panelText(1), QStringLiteral("Domains:0"));

    prompts.answerOpenFile(QString::fromStdString(saved.string()));
    form1.BOpen->click();
    rowsAre(kept);
    EXPECT_FALSE(table.Row(0).Checked());
    EXPECT_EQ(form1.StatusBar1->panelText(1), QStringLiteral("Domains:2"));

    EXPECT_TRUE(prompts.errors().empty());
    EXPECT_EQ(prompts.log(), (std::vector<QString>{
                                 QStringLiteral("information: List of search engines Updated !"),
                                 QStringLiteral("question: stop the search ?"),
                                 QStringLiteral("question: Put the 1 host not yet looked up "
                                                "back into the links search list?"),
                                 QStringLiteral("save: Save expire"), QStringLiteral("open: Load expire")}));
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::minutes(2));
}

// The same walk looking up with RDAP: the server list is updated from a
// loopback copy of IANA's file, Finish hands the hosts to a loopback registry
// and its registrars, and the rows are saved.
TEST(Walkthrough, RdapFromFinishToSavedRows)
{
    QStandardPaths::setTestModeEnabled(true);
    QSettings().remove(QStringLiteral("lookup"));
    QSettings().setValue(QStringLiteral("lookup/rdapRequestsPerSecond"), 20);

    test::RdapTestServers rdap(3);
    LoopbackHttpServer server;
    server.get("/alpha", [](const httplib::Request& request, httplib::Response& response) {
        const bool first = request.get_param_value("page") == "0";
        response.set_content(first ? lines({"http://mail-one.com/", "http://form-two.net/shop",
                                            "http://gone-three.org/", "http://malformed-four.com/"})
                                   : lines({"No more results"}),
                             "text/html; charset=utf-8");
    });
    server.serve("/rdap/dns.json", rdap.bootstrap(), "application/json");
    server.start();
    const std::string hostAndPort = "127.0.0.1:" + std::to_string(server.port());

    TempFolder folder;
    test::writeFile(folder / "listex.txt",
                    "Alpha\r\nhttp://" + hostAndPort + "/alpha?q=\r\n&page=\r\n0\r\n10\r\n\r\n");
    // Until the update, every server on the list refuses connections.
    test::writeFile(folder / "rdap-dns.json", R"({"services": [[["com", "net", "org"], [")" +
                                                  LoopbackHttpServer::refusedUrl() + R"("]]]})");
    const test::CurrentDirectory inFolder(folder.path());
    QGuiApplication::setQuitOnLastWindowClosed(false);

    ScriptedPrompts prompts;
    SteadyTickSource ticks;
    EventPump pump(ticks);
    StartupWindows windows = createWindows(prompts, pump, std::make_unique<QtPageLoader>(), WhoisServices{});
    TForm1& form1 = *windows.Form1;
    Tliste liste(prompts, pump, form1, [] { return std::make_unique<QtPageLoader>(); });
    form1.setLinksWindow(&liste);
    form1.setRdapServersFile(folder / "rdap-dns.json");
    form1.setRdapServersUpdateUrl(server.url("/rdap/dns.json"));
    form1.show();

    form1.LookUpWithRdap->trigger();
    form1.ListUnregisteredHosts->trigger();
    form1.UpdateRdapServers->trigger();
    EXPECT_EQ(test::readFile(folder / "rdap-dns.json"), rdap.bootstrap());

    form1.BPlay->click();
    liste.Button1->click();
    liste.keywords->setText(QStringLiteral("green tea"));
    liste.deps->item(0)->setCheckState(Qt::Checked);
    liste.RadioButton3->click();
    liste.totalresultats->setText(QStringLiteral("4"));
    prompts.answerQuestion(false); // the unanswered host stays out of the links list
    liste.Bplay->click();          // search, hand-over and the RDAP run, all inside

    ResultTable& table = form1.table();
    EXPECT_EQ(test::rowsOf(table),
              (std::vector<std::vector<std::string>>{
                  {"http://form-two.net", "https://registrar.test/contact/form-two.net", "2027/03/04"},
                  {"http://gone-three.org", "", "not registered"},
                  {"http://mail-one.com", "mailto:owner@mail-one.com", "2027/03/04"}}));
    EXPECT_EQ(form1.StatusBar1->notice(), QStringLiteral("No answer: 1"));
    EXPECT_EQ(form1.StatusBar1->panelText(1), QStringLiteral("Domains:3"));

    const std::filesystem::path saved = folder / "expire.csv";
    prompts.answerSaveFile(QString::fromStdString(saved.string()));
    form1.BDisk->click();
    const std::string text = test::readFile(saved);
    for (const char* part : {"http://mail-one.com", "mailto:owner@mail-one.com", "not registered",
                             "https://registrar.test/contact/form-two.net"}) {
        EXPECT_NE(text.find(part), std::string::npos) << part;
    }
    EXPECT_TRUE(prompts.errors().empty());
    EXPECT_EQ(prompts.log(),
              (std::vector<QString>{QStringLiteral("information: RDAP servers updated !"),
                                    QStringLiteral("question: Put the 1 host without an answer back into "
                                                   "the links search list?"),
                                    QStringLiteral("save: Save expire")}));
}

} // namespace
} // namespace ostrevo
