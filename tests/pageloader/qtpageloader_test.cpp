// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "pageloader/qtpageloader.h"

#include "loopbackhttpserver.h"
#include "platform/eventpump.h"
#include "platform/ticksource.h"

#include <QTimer>

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <thread>

namespace ostrevo {
namespace {

using test::LoopbackHttpServer;

// No bare CR or LF anywhere: every line ends with the pair.
bool hasOnlyCrLfLineEnds(const std::string& text)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n')) {
            return false;
        }
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) {
            return false;
        }
    }
    return true;
}

class QtPageLoaderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        server.serve("/lines",
                     "<html><body><p>line one</p><p>line two</p>x<br>y<pre>pre a\nb</pre></body></html>");
        server.get("/slow", [](const httplib::Request&, httplib::Response& response) {
            std::this_thread::sleep_for(std::chrono::milliseconds(400));
            response.set_content("<html><body>slow page</body></html>", "text/html");
        });
        server.serve(
            "/anchors",
            "<html><head><base href=\"https://www.engine.test/\"></head><body>"
            "<p><a href=\"http://one.test/a\">one</a> <a href='/url?q=two'>two</a>"
            " - Cached <a href=https://three.test/>three</a></p>"
            "<div><a href=\"javascript:void(0)\">menu</a><a href=\"mailto:x@y.test\">mail</a>"
            "<a href=\"HTTPS://FOUR.TEST/\">four</a><a href=\"https://five.test/\"> - Cached</a></div>"
            "</body></html>");
        server.serve("/plain", "plain\ntext\r\nhere\rend", "text/plain");
        server.serve("/nobody",
                     "<html><head><title>t</title></head><body>gone"
                     "<script>document.documentElement.removeChild(document.body);</script></body></html>");
        server.serve("/missing", "<html><body>not found here</body></html>", "text/html", 404);
        server.serve("/busy", "<html><body>too many</body></html>", "text/html", 429);
        server.get("/moved", [](const httplib::Request&, httplib::Response& response) {
            response.set_redirect("/missing");
        });
        server.serve("/dialogs", "<html><body>waiting<script>"
                                 "var c = confirm('sure?'); var p = prompt('name?', 'x'); alert('hello');"
                                 "window.open('/other');"
                                 "document.body.innerText = 'confirm=' + c + ' prompt=' + p;"
                                 "</script></body></html>");
        server.serve("/other", "<html><body>other</body></html>");
        server.get("/download", [](const httplib::Request&, httplib::Response& response) {
            response.set_header("Content-Disposition", "attachment; filename=ostrevo-test.bin");
            response.set_content(std::string(4096, 'x'), "application/octet-stream");
        });
        server.serve(
            "/notify",
            "<html><body>asking<script>Notification.requestPermission().then("
            "function (r) { document.body.innerText = 'permission ' + r; });</script></body></html>");
        server.serve("/moves-on",
                     "<html><body>first<script>"
                     "setTimeout(function () { location.href = '/plain'; }, 50);</script></body></html>");
        server.serve("/hangs", "<html><body>about to hang<script>"
                               "setTimeout(function () { for (;;) {} }, 100);</script></body></html>");
        server.get("/stalls", [](const httplib::Request&, httplib::Response& response) {
            std::this_thread::sleep_for(std::chrono::milliseconds(2500));
            response.set_content("<html><body>too late</body></html>", "text/html");
        });
        server.serve("/loops", "<html><body>looping<script>for (;;) {}</script></body></html>");
        server.serve("/to-file", "<html><body>web page<script>"
                                 "location.href = 'file:///etc/hostname';</script></body></html>");
        server.start();
    }

    // Processes events until the loader is idle; false after `limitMs`.
    bool waitIdle(const PageLoader& loader, int limitMs = 30000)
    {
        return waitFor([&] { return !loader.Busy(); }, limitMs);
    }

    bool waitFor(const std::function<bool()>& done, int limitMs = 30000)
    {
        const std::uint32_t start = ticks.now();
        bool timedOut = false;
        pump.waitUntil(
            [&] {
                timedOut = ticks.now() - start > static_cast<std::uint32_t>(limitMs);
                return timedOut || done();
            },
            20);
        return !timedOut || done();
    }

    // The page's text once the page shows `marker`, or whatever it shows after 10 s.
    std::string textShowing(PageLoader& loader, const std::string& marker)
    {
        std::string text;
        waitFor(
            [&] {
                text = loader.PageText();
                return text.find(marker) != std::string::npos;
            },
            10000);
        return text;
    }

    LoopbackHttpServer server;
    SteadyTickSource ticks;
    EventPump pump{ticks};
};

TEST_F(QtPageLoaderTest, LinkTargetsComeInDocumentOrderUpToTheCutOfTheirLine)
{
    QtPageLoader loader;
    loader.Navigate(server.url("/anchors"));
    ASSERT_TRUE(waitIdle(loader));
    EXPECT_EQ(loader.LinkTargets({"", " - Cached"}),
              (std::vector<std::string>{"http://one.test/a", "https://www.engine.test/url?q=two",
                                        "https://four.test/"}));
    EXPECT_EQ(loader.LinkTargets({}).size(), 5u);
}

TEST_F(QtPageLoaderTest, PageTextHasItsLinesEndedByCrLf)
{
    QtPageLoader loader;
    loader.Navigate(server.url("/lines"));
    ASSERT_TRUE(waitIdle(loader));

    const std::string text = loader.PageText();

    EXPECT_TRUE(hasOnlyCrLfLineEnds(text)) << text;
    EXPECT_EQ(text.rfind("line one\r\n", 0), 0u) << text;
    EXPECT_NE(text.find("\r\nline two\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\r\nx\r\ny\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("pre a\r\nb"), std::string::npos) << text;
}

TEST_F(QtPageLoaderTest, BusyFromNavigateUntilTheDocumentCompletes)
{
    QtPageLoader loader;
    int completions = 0;
    bool busyWhenCompleted = true;
    int lastProgress = -1;
    loader.OnDocumentComplete = [&] {
        ++completions;
        busyWhenCompleted = loader.Busy();
    };
    loader.OnProgressChange = [&](int progress, int progressMax) {
        lastProgress = progress;
        EXPECT_EQ(progressMax, 100);
    };
    EXPECT_FALSE(loader.Busy());

    loader.Navigate(server.url("/slow"));
    EXPECT_TRUE(loader.Busy());
    EXPECT_EQ(completions, 0) << "completion comes with later events, not from Navigate";
    ASSERT_TRUE(waitIdle(loader));

    EXPECT_EQ(completions, 1);
    EXPECT_FALSE(busyWhenCompleted);
    EXPECT_EQ(lastProgress, 100);
    EXPECT_EQ(loader.PageText(), "slow page");
}

TEST_F(QtPageLoaderTest, ANavigationReplacedByAnotherEndsWithTheLastPage)
{
    QtPageLoader loader;
    loader.Navigate(server.url("/slow"));
    loader.Navigate(server.url("/lines"));
    ASSERT_TRUE(waitIdle(loader));
    EXPECT_EQ(loader.PageText().rfind("line one", 0), 0u);

    // Replaced while the first one is already under way.
    loader.Navigate(server.url("/slow"));
    pump.WaitMs(100);
    EXPECT_TRUE(loader.Busy());
    loader.Navigate(server.url("/plain"));
    ASSERT_TRUE(waitIdle(loader));
    EXPECT_EQ(loader.PageText(), "plain\r\ntext\r\nhere\r\nend");
}

TEST_F(QtPageLoaderTest, PlainTextKeepsItsLines)
{
    QtPageLoader loader;
    loader.Navigate(server.url("/plain"));
    ASSERT_TRUE(waitIdle(loader));

    EXPECT_EQ(loader.PageText(), "plain\r\ntext\r\nhere\r\nend");
}

TEST_F(QtPageLoaderTest, PageWithoutBodyGivesEmptyText)
{
    QtPageLoader loader;
    loader.Navigate(server.url("/nobody"));
    ASSERT_TRUE(waitIdle(loader));

    EXPECT_EQ(loader.PageText(), "");
}

TEST_F(QtPageLoaderTest, TextBeforeAnyPageIsEmpty)
{
    QtPageLoader loader;
    EXPECT_EQ(loader.PageText(), "");
}

TEST_F(QtPageLoaderTest, FailedLoadsStillComplete)
{
    QtPageLoader loader;
    int completions = 0;
    loader.OnDocumentComplete = [&] { ++completions; };

    loader.Navigate(server.url("/missing"));
    ASSERT_TRUE(waitIdle(loader));
    EXPECT_EQ(completions, 1);
    EXPECT_EQ(loader.PageText(), "not found here");

    loader.Navigate(LoopbackHttpServer::refusedUrl("/whois?domain=example.com"));
    ASSERT_TRUE(waitIdle(loader));
    EXPECT_EQ(completions, 2);
    EXPECT_TRUE(hasOnlyCrLfLineEnds(loader.PageText()));
}

TEST_F(QtPageLoaderTest, StatusAndAddressOfTheMainDocumentAfterRedirects)
{
    const struct {
        std::string path;
        int status;
        std::string finalPath;
    } cases[] = {{"/lines", 200, "/lines"}, {"/busy", 429, "/busy"}, {"/moved", 404, "/missing"}};
    QtPageLoader loader;
    for (const auto& c : cases) {
        loader.Navigate(server.url(c.path));
        ASSERT_TRUE(waitIdle(loader));
        EXPECT_EQ(loader.HttpStatus(), c.status) << c.path;
        EXPECT_EQ(loader.LocationURL(), server.url(c.finalPath)) << c.path;
    }
    loader.Navigate(LoopbackHttpServer::refusedUrl());
    ASSERT_TRUE(waitIdle(loader));
    EXPECT_EQ(loader.HttpStatus(), 0);
}

TEST_F(QtPageLoaderTest, UnusableAddressesStillComplete)
{
    QtPageLoader loader;
    int completions = 0;
    loader.OnDocumentComplete = [&] { ++completions; };

    loader.Navigate("");
    ASSERT_TRUE(waitIdle(loader));
    loader.Navigate("http://exa mple.com:99999/");
    ASSERT_TRUE(waitIdle(loader));

    EXPECT_EQ(completions, 2);
    EXPECT_EQ(loader.PageText(), "");
}

TEST_F(QtPageLoaderTest, ANavigationThatNeverFinishesEndsAtItsDeadline)
{
    QtPageLoader loader;
    loader.setNavigationDeadline(600);
    int completions = 0;
    loader.OnDocumentComplete = [&] { ++completions; };
    for (const char* path : {"/loops", "/stalls"}) {
        loader.Navigate(server.url(path));
        ASSERT_TRUE(waitIdle(loader, 2000)) << path;
        EXPECT_TRUE(loader.TimedOut()) << path;
    }
    EXPECT_EQ(completions, 2);
    // The next page loads as usual, even after a renderer that hung.
    loader.setNavigationDeadline(kNavigationDeadlineMs);
    loader.Navigate(server.url("/plain"));
    ASSERT_TRUE(waitIdle(loader));
    EXPECT_FALSE(loader.TimedOut());
    EXPECT_EQ(loader.PageText(), "plain\r\ntext\r\nhere\r\nend");
}

TEST_F(QtPageLoaderTest, OnlyWebPagesLoad)
{
    QtPageLoader loader;
    const std::string refused[] = {"file:///etc/hostname",
                                   "data:text/html,<body>data page</body>",
                                   "view-source:" + server.url("/lines"),
                                   "chrome://version",
                                   "javascript:document.body.innerText='script'",
                                   server.url("/lines?") + std::string(3 << 20, 'a')};
    for (const std::string& url : refused) {
        loader.Navigate(url);
        ASSERT_TRUE(waitIdle(loader, 5000)) << url.substr(0, 60);
        EXPECT_EQ(loader.PageText(), "") << url.substr(0, 60);
    }
    // Nor can a page move on to anything else.
    loader.Navigate(server.url("/to-file"));
    ASSERT_TRUE(waitIdle(loader));
    pump.WaitMs(300);
    EXPECT_EQ(loader.PageText(), "web page");
}

TEST_F(QtPageLoaderTest, ScriptDialogsAndNewWindowsAreRefusedWithoutBlocking)
{
    QtPageLoader loader;
    loader.SetVisible(false);
    loader.SetSilent(true);
    int newWindows = 0;
    loader.OnNewWindow2 = [&](bool& cancel) {
        ++newWindows;
        cancel = true;
    };

    loader.Navigate(server.url("/dialogs"));
    ASSERT_TRUE(waitIdle(loader));

    EXPECT_EQ(loader.PageText(), "confirm=false prompt=null");
    EXPECT_EQ(newWindows, 1);
    pump.WaitMs(200);
    for (const std::string& request : server.requests()) {
        EXPECT_NE(request, "/other") << "the refused window loaded its page";
    }
}

TEST_F(QtPageLoaderTest, ANewWindowIsRefusedEvenWhenTheHandlerAllowsIt)
{
    QtPageLoader loader;
    loader.OnNewWindow2 = [](bool& cancel) { cancel = false; };

    loader.Navigate(server.url("/dialogs"));
    ASSERT_TRUE(waitIdle(loader));

    EXPECT_EQ(loader.PageText(), "confirm=false prompt=null");
    pump.WaitMs(200);
    for (const std::string& request : server.requests()) {
        EXPECT_NE(request, "/other") << "the window the handler allowed opened all the same";
    }
}

TEST_F(QtPageLoaderTest, PermissionRequestsAreDenied)
{
    QtPageLoader loader;
    loader.Navigate(server.url("/notify"));
    ASSERT_TRUE(waitIdle(loader));

    EXPECT_EQ(textShowing(loader, "permission"), "permission denied");
}

TEST_F(QtPageLoaderTest, DownloadsAreCancelledAndGiveNoPageText)
{
    QtPageLoader loader;
    loader.Navigate(server.url("/plain"));
    ASSERT_TRUE(waitIdle(loader));

    loader.Navigate(server.url("/download"));
    ASSERT_TRUE(waitIdle(loader));

    // The previous page is still shown, but it is not this navigation's answer.
    EXPECT_EQ(loader.PageText(), "");
}

TEST_F(QtPageLoaderTest, TwoLoadersWorkAtOnce)
{
    QtPageLoader first;
    QtPageLoader second;
    int firstCompletions = 0;
    int secondCompletions = 0;
    first.OnDocumentComplete = [&] { ++firstCompletions; };
    second.OnDocumentComplete = [&] { ++secondCompletions; };

    first.Navigate(server.url("/slow"));
    second.Navigate(server.url("/lines"));
    ASSERT_TRUE(waitFor([&] { return !first.Busy() && !second.Busy(); }));

    EXPECT_EQ(firstCompletions, 1);
    EXPECT_EQ(secondCompletions, 1);
    EXPECT_EQ(first.PageText(), "slow page");
    EXPECT_EQ(second.PageText().rfind("line one", 0), 0u);
}

TEST_F(QtPageLoaderTest, PageTextWorksInsideAnEventHandler)
{
    // The runs read page text from inside a click handler, in a nested loop.
    QtPageLoader loader;
    loader.Navigate(server.url("/plain"));
    ASSERT_TRUE(waitIdle(loader));
    std::string text;
    bool handled = false;
    QTimer::singleShot(0, [&] {
        text = loader.PageText();
        handled = true;
    });

    ASSERT_TRUE(waitFor([&] { return handled; }));
    EXPECT_EQ(text, "plain\r\ntext\r\nhere\r\nend");
}

TEST_F(QtPageLoaderTest, ALoadThePageStartsItselfIsBusyAndCompletesToo)
{
    QtPageLoader loader;
    int completions = 0;
    loader.OnDocumentComplete = [&] { ++completions; };

    loader.Navigate(server.url("/moves-on"));
    ASSERT_TRUE(waitFor([&] { return completions == 2 && !loader.Busy(); }));

    EXPECT_EQ(loader.PageText(), "plain\r\ntext\r\nhere\r\nend");
}

TEST_F(QtPageLoaderTest, AHungPageGivesEmptyTextAfterTheTimeOut)
{
    QtPageLoader loader;
    loader.setPageTextTimeout(500);
    loader.Navigate(server.url("/hangs"));
    ASSERT_TRUE(waitIdle(loader));
    pump.WaitMs(1500); // the page's script is spinning by now

    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(loader.PageText(), "");
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(450)) << "it did time out";
}

TEST_F(QtPageLoaderTest, LoaderDestroyedWhileItsTextIsAwaited)
{
    auto loader = std::make_unique<QtPageLoader>();
    loader->Navigate(server.url("/lines"));
    ASSERT_TRUE(waitIdle(*loader));
    QtPageLoader* raw = loader.get();
    QTimer::singleShot(0, [&loader] { loader.reset(); });

    const auto start = std::chrono::steady_clock::now();
    const std::string text = raw->PageText();

    EXPECT_EQ(loader, nullptr);
    EXPECT_EQ(text, "");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5))
        << "the wait ended with the loader, not with its time-out";
}

} // namespace
} // namespace ostrevo
