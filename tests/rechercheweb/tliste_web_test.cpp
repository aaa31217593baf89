// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
// From keywords to rows in the main window, in the real browser engine: a
// loopback server plays a search engine with paged results and the two whois
// services.
#include "expired/tform1.h"
#include "pageloader/qtpageloader.h"
#include "platform/eventpump.h"
#include "platform/ticksource.h"
#include "rechercheweb/tliste.h"

#include "loopbackhttpserver.h"
#include "scriptedprompts.h"
#include "tempfolder.h"

#include <QGuiApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace ostrevo {
namespace {

using test::LoopbackHttpServer;
using test::ScriptedPrompts;
using test::TempFolder;

std::string htmlPage(const std::string& body)
{
    return "<html><head><title>Results</title></head><body>" + body + "</body></html>";
}

// Three pages of two results each, links behind http and https; nothing after.
std::string resultPage(const std::string& first)
{
    if (first == "0") {
        return htmlPage(
            "<h1>Results</h1><p>Alpha shop <a href=\"http://www.alpha-shop.com/tea\">"
            "http://www.alpha-shop.com/tea</a></p><p>Beta store https://beta-store.net/green</p>");
    }
    if (first == "10") {
        return htmlPage("<p>Gamma http://www.gamma-one.org/</p><p>Delta https://www.delta-two.com/x?y=1</p>");
    }
    if (first == "20") {
        return htmlPage("<p>Epsilon http://www.epsilon-three.com/</p>");
    }
    return htmlPage("<p>No more results</p>");
}

std::string whoisPage(const std::string& lines)
{
    return htmlPage("<pre>" + lines + "</pre>");
}

class CurrentDirectory {
public:
    explicit CurrentDirectory(const std::filesystem::path& path) : m_previous(std::filesystem::current_path())
    {
        std::filesystem::current_path(path);
    }
    ~CurrentDirectory() { std::filesystem::current_path(m_previous); }
    CurrentDirectory(const CurrentDirectory&) = delete;
    CurrentDirectory& operator=(const CurrentDirectory&) = delete;

private:
    std::filesystem::path m_previous;
};

TEST(LinksSearchInBrowser, KeywordsBecomeRowsInTheMainWindow)
{
    LoopbackHttpServer server;
    server.get("/search", [](const httplib::Request& request, httplib::Response& response) {
        response.set_content(resultPage(request.get_param_value("first")), "text/html; charset=utf-8");
    });
    server.get("/cgi-bin/whois/whois", [](const httplib::Request& request, httplib::Response& response) {
        const std::string host = request.get_param_value("STRING");
        response.set_content(whoisPage("Domain Name: " + host + "\nRegistrant Email: owner@" + host +
                                       "\nRegistry Expiry Date: 2029-02-03T05:00:00Z\n"),
                             "text/html; charset=utf-8");
    });
    server.get("/whois", [](const httplib::Request& request, httplib::Response& response) {
        const std::string host = request.get_param_value("domain");
        response.set_content(
            whoisPage("domain: " + host + "\ncontact: admin@" + host + "\nRecord expires on 05-Nov-2025.\n"),
            "text/html; charset=utf-8");
    });
    server.start();
    const std::string hostAndPort = "127.0.0.1:" + std::to_string(server.port());

    TempFolder folder;
    folder.write("listex.txt",
                 "Loopback\r\nhttp://" + hostAndPort + "/search?q=\r\n&first=\r\n0\r\n10\r\n\r\n");
    const CurrentDirectory inFolder(folder.path());
    QGuiApplication::setQuitOnLastWindowClosed(false);

    ScriptedPrompts prompts;
    SteadyTickSource ticks;
    EventPump pump(ticks);
    TForm1 form(prompts, pump, std::make_unique<QtPageLoader>(),
                WhoisServices{{hostAndPort, "/cgi-bin/whois/whois?SearchType=do&STRING="},
                              {hostAndPort, "/whois?l=FR&domain="}});
    Tliste liste(prompts, pump, form, [] { return std::make_unique<QtPageLoader>(); });
    form.setLinksWindow(&liste);

    form.BPlay->click();
    ASSERT_TRUE(liste.isVisible());
    ASSERT_EQ(liste.deps->count(), 1);
    liste.Button1->click();
    liste.keywords->setText(QStringLiteral("green tea"));
    liste.totalresultats->setText(QStringLiteral("4"));
    liste.deps->item(0)->setCheckState(Qt::Checked);
    liste.Bplay->click();

    // The third page was asked for but the limit came first; the rest is the
    // hand-over and the lookup.
    const std::vector<std::string> requests = server.requests();
    const auto asked = [&](const std::string& request) {
        return std::find(requests.begin(), requests.end(), request) != requests.end();
    };
    EXPECT_TRUE(asked("/search?first=0&q=green tea"));
    EXPECT_TRUE(asked("/search?first=10&q=green tea"));
    EXPECT_TRUE(asked("/search?first=20&q=green tea"));
    EXPECT_FALSE(asked("/search?first=30&q=green tea"));
    EXPECT_FALSE(liste.isVisible());
    EXPECT_EQ(liste.urls().texts(), (std::vector<std::string>{"www.alpha-shop.com", "beta-store.net",
                                                              "www.gamma-one.org", "www.delta-two.com"}));

    ResultTable& table = form.table();
    ASSERT_EQ(table.RowCount(), 4);
    EXPECT_EQ(table.Row(0).Caption(), "http://beta-store.net");
    EXPECT_EQ(table.Row(0).SubItems(),
              (std::vector<std::string>{"mailto:owner@beta-store.net", "2029/02/03"}));
    EXPECT_EQ(table.Row(1).Caption(), "http://www.alpha-shop.com");
    EXPECT_EQ(table.Row(1).SubItems(),
              (std::vector<std::string>{"mailto:admin@www.alpha-shop.com", "2025/11/05"}));
    EXPECT_EQ(table.Row(2).Caption(), "http://www.delta-two.com");
    EXPECT_EQ(table.Row(3).Caption(), "http://www.gamma-one.org");
    EXPECT_FALSE(form.BPlay->isEnabled());
    EXPECT_TRUE(form.BStop->isEnabled());
    EXPECT_TRUE(prompts.log().empty());
}

} // namespace
} // namespace ostrevo
