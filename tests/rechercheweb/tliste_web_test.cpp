// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
// From keywords to rows in the main window, in the real browser engine: a
// loopback server plays a search engine with paged results and the two whois
// services.
#include "expired/tform1.h"
#include "pageloader/qtpageloader.h"
#include "platform/eventpump.h"
#include "platform/statuspanels.h"
#include "platform/ticksource.h"
#include "rechercheweb/pagewindow.h"
#include "rechercheweb/tliste.h"

#include "loopbackhttpserver.h"
#include "scriptedprompts.h"
#include "tempfolder.h"

#include <QGuiApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QToolButton>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <filesystem>

namespace ostrevo {
namespace {

using test::CurrentDirectory;
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

    // The limit came with the second page; the third, asked for next, went
    // with the pages Finish lets go. The rest is the hand-over and the lookup.
    const std::vector<std::string> requests = server.requests();
    const auto asked = [&](const std::string& request) {
        return std::find(requests.begin(), requests.end(), request) != requests.end();
    };
    EXPECT_TRUE(asked("/search?first=0&q=green tea"));
    EXPECT_TRUE(asked("/search?first=10&q=green tea"));
    EXPECT_FALSE(asked("/search?first=30&q=green tea"));
    EXPECT_FALSE(liste.isVisible());
    EXPECT_EQ(liste.urls().texts(), (std::vector<std::string>{"www.alpha-shop.com", "beta-store.net",
                                                              "www.gamma-one.org", "www.delta-two.com"}));

    ResultTable& table = form.table();
    ASSERT_EQ(table.RowCount(), 4);
    // The URL list keeps the hosts; the lookup asks for their registered domains.
    EXPECT_EQ(table.Row(0).Caption(), "http://alpha-shop.com");
    EXPECT_EQ(table.Row(0).SubItems(),
              (std::vector<std::string>{"mailto:admin@alpha-shop.com", "2025/11/05"}));
    EXPECT_EQ(table.Row(1).Caption(), "http://beta-store.net");
    EXPECT_EQ(table.Row(1).SubItems(),
              (std::vector<std::string>{"mailto:owner@beta-store.net", "2029/02/03"}));
    EXPECT_EQ(table.Row(2).Caption(), "http://delta-two.com");
    EXPECT_EQ(table.Row(3).Caption(), "http://gamma-one.org");
    EXPECT_FALSE(form.BPlay->isEnabled());
    EXPECT_TRUE(form.BStop->isEnabled());
    EXPECT_TRUE(prompts.log().empty());
}

// Two result pages of an engine's own hosts, then pages without any, whose
// script says so soon after loading (a page that never changes is read only
// after the longest settle wait).
void answerResults(const std::string& engine, int page, httplib::Response& response)
{
    const std::string tag = engine + "-" + std::to_string(page);
    response.set_content(
        page < 2
            ? htmlPage("<p>One http://www." + tag + "-one.com/</p><p>Two https://" + tag + "-two.net/x</p>")
            : htmlPage("<p></p><script>setTimeout(function () { document.body.innerText = "
                       "'No more results'; }, 300);</script>"),
        "text/html; charset=utf-8");
}

int pageOf(const httplib::Request& request)
{
    return std::stoi(request.get_param_value("p"));
}

bool hasCookie(const httplib::Request& request, const std::string& cookie)
{
    return request.get_header_value("Cookie").find(cookie) != std::string::npos;
}

std::string answerForm(const std::string& question, const std::string& action, const std::string& back)
{
    return htmlPage("<h1>" + question + "</h1><form method=\"post\" action=\"" + action +
                    "\"><input type=\"hidden\" name=\"back\" value=\"" + back +
                    "\"><button type=\"submit\">Yes</button></form>");
}

// Three engines push back: one asks whether the user is a robot, one sends a
// consent page on another host first and builds its results by script, one
// refuses for a while and then for good. The user answers in the page window.
TEST(LinksSearchInBrowser, EnginesThatPushBackAreAnsweredOrWaitedFor)
{
    LoopbackHttpServer server;
    std::atomic<int> refusingFirstPageAsks{0};
    std::string origin; // set before start, read by the handlers
    server.get("/checked", [](const httplib::Request& request, httplib::Response& response) {
        if (pageOf(request) == 1 && !hasCookie(request, "human=yes")) {
            response.status = 429;
            response.set_content(answerForm("Are you a robot?", "/answer", request.path + "?q=x&p=1"),
                                 "text/html; charset=utf-8");
            return;
        }
        answerResults("checked", pageOf(request), response);
    });
    server.post("/answer", [](const httplib::Request& request, httplib::Response& response) {
        response.set_header("Set-Cookie", "human=yes; Path=/");
        response.set_redirect(request.get_param_value("back"), 303);
    });
    server.get("/consenting", [&origin](const httplib::Request& request, httplib::Response& response) {
        if (!hasCookie(request, "consent=yes")) {
            response.set_redirect("http://consent.localhost:" + origin +
                                  "/consent?p=" + request.get_param_value("p"));
            return;
        }
        if (pageOf(request) == 0) {
            // Built by the page's script a second after it loaded.
            response.set_content(
                htmlPage("<p>Loading</p><script>setTimeout(function () { document.body.innerHTML = "
                         "'<p>Built http://www.built-by-script.com/</p>'; }, 1000);</script>"),
                "text/html; charset=utf-8");
            return;
        }
        answerResults("consenting", pageOf(request), response);
    });
    server.get("/consent", [](const httplib::Request& request, httplib::Response& response) {
        response.set_content(answerForm("Before you continue", "/accept", request.get_param_value("p")),
                             "text/html; charset=utf-8");
    });
    server.post("/accept", [&origin](const httplib::Request& request, httplib::Response& response) {
        response.set_redirect(
            "http://127.0.0.1:" + origin + "/setconsent?p=" + request.get_param_value("back"), 303);
    });
    server.get("/setconsent", [](const httplib::Request& request, httplib::Response& response) {
        response.set_header("Set-Cookie", "consent=yes; Path=/");
        response.set_redirect("/consenting?q=x&p=" + request.get_param_value("p"));
    });
    server.get("/refusing", [&](const httplib::Request& request, httplib::Response& response) {
        const int page = pageOf(request);
        const bool head = request.method == "HEAD";
        if ((page == 1 && (head || ++refusingFirstPageAsks == 1)) || page == 2) {
            response.status = page == 1 ? 429 : 403;
            response.set_header("Retry-After", "1");
            response.set_content(htmlPage(page == 1 ? "<p>Too many requests</p>" : "<p>Forbidden</p>"),
                                 "text/html; charset=utf-8");
            return;
        }
        answerResults("refusing", page, response);
    });
    server.start();
    origin = std::to_string(server.port());

    TempFolder folder;
    std::string catalogue;
    for (const char* name : {"Checked", "Consenting", "Refusing"}) {
        std::string path = name;
        path[0] = static_cast<char>(path[0] - 'A' + 'a');
        catalogue += std::string(name) + "\r\nhttp://127.0.0.1:" + origin + "/" + path +
                     "?q=\r\n&p=\r\n0\r\n1\r\n\r\n";
    }
    folder.write("listex.txt", catalogue);
    const CurrentDirectory inFolder(folder.path());
    QGuiApplication::setQuitOnLastWindowClosed(false);

    ScriptedPrompts prompts;
    SteadyTickSource ticks;
    EventPump pump(ticks);
    TForm1 form(prompts, pump, std::make_unique<QtPageLoader>(),
                WhoisServices{{"127.0.0.1:9", "/a?b="}, {"127.0.0.1:9", "/c?d="}});
    Tliste liste(prompts, pump, form, [] { return std::make_unique<QtPageLoader>(); });
    form.setLinksWindow(&liste);
    form.BPlay->click();
    liste.Button1->click();
    liste.keywords->setText(QStringLiteral("x"));
    liste.RadioButton1->click();
    for (int i = 0; i < 3; ++i) {
        liste.deps->item(i)->setCheckState(Qt::Checked);
    }

    // The user: a while after an engine asks, opens its page and answers it
    // there; the window then closes by itself.
    QStringList linesSeen;
    int windowsSeen = 0;
    int waitedTicks = 0;
    QTimer user;
    user.setInterval(100);
    QObject::connect(&user, &QTimer::timeout, [&] {
        for (auto* window : liste.findChildren<PageWindow*>()) {
            if (window->isVisible()) {
                return;
            }
        }
        if (!liste.showPageButton->isEnabled()) {
            waitedTicks = 0;
            return;
        }
        for (int i = 0; i < 3; ++i) {
            if (!linesSeen.contains(liste.deps->item(i)->text())) {
                linesSeen.append(liste.deps->item(i)->text());
            }
        }
        // A user takes a second or more; and answers the check only once
        // another engine has asked for a page since it appeared, so the check
        // below does not hang on how the threads were scheduled. If the check
        // held every engine, that never comes, and the answer comes late.
        const std::vector<std::string> sofar = server.requests();
        const auto checkAsked = std::find(sofar.begin(), sofar.end(), "/checked?p=1&q=x");
        const bool othersWentOn =
            checkAsked == sofar.end() || std::any_of(checkAsked, sofar.end(), [](const std::string& request) {
                return request.starts_with("/refusing");
            });
        if (++waitedTicks < 10 || (!othersWentOn && waitedTicks < 150)) {
            return;
        }
        waitedTicks = 0;
        liste.showPageButton->click();
        auto* shown = liste.findChildren<PageWindow*>().last();
        auto* view = shown->findChild<QWebEngineView*>();
        ASSERT_NE(view, nullptr);
        ++windowsSeen;
        EXPECT_TRUE(shown->isVisible());
        EXPECT_GE(shown->width(), 600);
        view->page()->runJavaScript(QStringLiteral("document.querySelector('button').click()"));
    });
    user.start();
    QTimer::singleShot(60000, &liste, [&] {
        ADD_FAILURE() << "the run did not end by itself";
        prompts.answerQuestion(true);
        liste.Bstop->click();
    });
    liste.Bplay->click();
    user.stop();

    EXPECT_EQ(windowsSeen, 2);
    EXPECT_TRUE(linesSeen.contains(QStringLiteral("Checked - check needed")))
        << linesSeen.join(u',').toStdString();
    EXPECT_TRUE(linesSeen.contains(QStringLiteral("Consenting - consent needed")))
        << linesSeen.join(u',').toStdString();
    std::vector<std::string> urls = liste.urls().texts();
    std::sort(urls.begin(), urls.end());
    EXPECT_EQ(urls, (std::vector<std::string>{
                        "checked-0-two.net", "checked-1-two.net", "consenting-1-two.net",
                        "refusing-0-two.net", "refusing-1-two.net", "www.built-by-script.com",
                        "www.checked-0-one.com", "www.checked-1-one.com", "www.consenting-1-one.com",
                        "www.refusing-0-one.com", "www.refusing-1-one.com"}));
    EXPECT_EQ(liste.deps->item(0)->text(), QStringLiteral("Checked - no more results"));
    EXPECT_EQ(liste.deps->item(1)->text(), QStringLiteral("Consenting - no more results"));
    EXPECT_EQ(liste.deps->item(2)->text(), QStringLiteral("Refusing - refused"));
    EXPECT_EQ(liste.StatusBar1->panelText(1), QStringLiteral("Every engine is done: the search has ended"));
    const std::vector<std::string> requests = server.requests();
    // Page 2 of the refusing engine: asked once and three times again, each
    // refusal but the last followed by a HEAD request for its Retry-After.
    EXPECT_EQ(std::count(requests.begin(), requests.end(), "/refusing?p=2&q=x"), 4 + 3);
    // While the check waited for the user, the other engines went on.
    const auto checkShown = std::find(requests.begin(), requests.end(), "/checked?p=1&q=x");
    const auto answered = std::find_if(checkShown, requests.end(), [](const std::string& request) {
        return request.starts_with("/answer");
    });
    EXPECT_TRUE(std::any_of(checkShown, answered,
                            [](const std::string& request) { return request.starts_with("/refusing"); }));
    for (auto* window : liste.findChildren<PageWindow*>()) {
        EXPECT_FALSE(window->isVisible());
    }
    EXPECT_TRUE(liste.Bplay->isEnabled());
    EXPECT_TRUE(prompts.errors().empty());
}

} // namespace
} // namespace ostrevo
