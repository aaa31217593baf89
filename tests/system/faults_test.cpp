// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
// Servers that misbehave and disks that refuse: the runs go on, the windows
// keep answering, saving reports the failure and spares the file that was
// there.
#include "expired/tform1.h"
#include "pageloader/qtpageloader.h"
#include "platform/eventpump.h"
#include "platform/statuspanels.h"
#include "platform/ticksource.h"
#include "rechercheweb/tliste.h"

#include "fakepageloader.h"
#include "rawloopbackserver.h"
#include "scriptedprompts.h"
#include "searchwindows.h"
#include "systemsupport.h"

#include <QGuiApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <linux/capability.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <iostream>

namespace ostrevo {
namespace {

using test::htmlPage;
using test::RawLoopbackServer;
using test::ScriptedPrompts;
using test::TempFolder;

std::string record(const std::string& host, const std::string& date)
{
    return "Domain Name: " + host + "\nRegistrant Email: owner@" + host + "\nRegistry Expiry Date: " + date +
           "T00:00:00Z\n";
}

constexpr std::size_t HugePageBytes = 50 * 1024 * 1024;

// Bytes that are no UTF-8 at all, every value but NUL.
std::string junkBytes(std::size_t size)
{
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<char>(1 + (i * 7919) % 255);
    }
    return bytes;
}

std::string hostOf(const std::string& pathAndQuery)
{
    const std::size_t at = pathAndQuery.rfind('=');
    return at == std::string::npos ? std::string() : pathAndQuery.substr(at + 1);
}

RawLoopbackServer::Answer brokenWhois(const std::string& pathAndQuery)
{
    using Raw = RawLoopbackServer;
    const std::string host = hostOf(pathAndQuery);
    if (host == "reset.com") {
        return {Raw::Kind::Reset, {}};
    }
    if (host == "stalled.com") {
        return {Raw::Kind::Stall, {}};
    }
    if (host == "error500.com") {
        return Raw::reply(500, "text/html", htmlPage("<h1>Internal error</h1>"));
    }
    if (host == "huge.com") {
        std::string body = "<pre>" + record(host, "2030-01-01");
        while (body.size() < HugePageBytes) {
            body += "filler line of a very long whois page without anything in it\n";
        }
        return Raw::reply(200, "text/html; charset=utf-8", htmlPage(body + "</pre>"));
    }
    if (host == "badutf8.com") {
        return Raw::reply(200, "text/html; charset=utf-8",
                          htmlPage("<pre>" + record(host, "2031-01-01") + junkBytes(200000) + "</pre>"));
    }
    if (host == "binary.com") {
        return Raw::reply(200, "application/octet-stream", junkBytes(300000));
    }
    return Raw::reply(200, "text/html; charset=utf-8",
                      htmlPage("<pre>" + record(host, "2029-02-03") + "</pre>"));
}

std::vector<std::string> captions(ResultTable& table)
{
    std::vector<std::string> result;
    for (int i = 0; i < table.RowCount(); ++i) {
        result.emplace_back(table.Row(i).Caption());
    }
    return result;
}

// A timer the test watches: its ticks show the event loop was served.
struct Heartbeat {
    QTimer timer;
    int ticks = 0;
    std::chrono::steady_clock::time_point last = std::chrono::steady_clock::now();
    std::chrono::steady_clock::duration longestGap{};
    Heartbeat()
    {
        timer.setInterval(20);
        QObject::connect(&timer, &QTimer::timeout, [this] {
            const auto now = std::chrono::steady_clock::now();
            longestGap = std::max(longestGap, now - last);
            last = now;
            ++ticks;
        });
        timer.start();
    }
};

// The main window whose lookup run asks the broken whois server.
class BrokenWhoisServers : public ::testing::Test {
protected:
    RawLoopbackServer server{&brokenWhois};
    ScriptedPrompts prompts;
    SteadyTickSource ticks;
    EventPump pump{ticks};
    TForm1 form{prompts, pump, std::make_unique<QtPageLoader>(),
                WhoisServices{{server.hostAndPort(), "/cgi-bin/whois/whois?SearchType=do&STRING="},
                              {server.hostAndPort(), "/whois?l=FR&domain="}}};
};

TEST_F(BrokenWhoisServers, LookupRunGoesOnAndStopEndsTheStall)
{

    // The run is started here without the links window's hand-over, which is
    // what enables the Stop button: Stop is asked for through its handler.
    prompts.answerQuestion(true);
    bool stopClicked = false;
    Heartbeat heartbeat;
    QObject::connect(&heartbeat.timer, &QTimer::timeout, [&] {
        const std::vector<std::string> asked = server.requests();
        const bool stallAsked = std::any_of(asked.begin(), asked.end(), [](const std::string& r) {
            return r.find("stalled.com") != std::string::npos;
        });
        if (stallAsked && !stopClicked) {
            stopClicked = true;
            // Let the stall go on for a while before the user gives up.
            QTimer::singleShot(1500, &form, [this] { form.BStopClick(); });
        }
    });

    // A run stuck anywhere but the stalled page is a fault: bound it.
    QTimer::singleShot(180000, &form, [&] {
        if (!stopClicked) {
            stopClicked = true;
            const std::vector<std::string> soFar = server.requests();
            ADD_FAILURE() << "the lookup got stuck after " << (soFar.empty() ? "nothing" : soFar.back());
            form.BStopClick();
        }
    });
    const auto started = std::chrono::steady_clock::now();
    form.Button1Click({"first.com", "reset.com", "error500.com", "huge.com", "badutf8.com", "last.net",
                       "stalled.com", "never-reached.org"});
    const auto took = std::chrono::steady_clock::now() - started;

    EXPECT_TRUE(stopClicked);
    const std::vector<std::string> asked = server.requests();
    EXPECT_TRUE(std::none_of(asked.begin(), asked.end(), [](const std::string& r) {
        return r.find("never-reached") != std::string::npos;
    }));
    const std::vector<std::string> rows = captions(form.table());
    for (const char* host : {"http://first.com", "http://last.net", "http://badutf8.com"}) {
        EXPECT_NE(std::find(rows.begin(), rows.end(), host), rows.end()) << host;
    }
    for (const char* host : {"http://reset.com", "http://error500.com", "http://stalled.com"}) {
        EXPECT_EQ(std::find(rows.begin(), rows.end(), host), rows.end()) << host;
    }
    std::cout << "[ figures  ] broken whois run: " << std::chrono::duration<double>(took).count()
              << " s, rows: " << rows.size()
              << ", huge page row: " << (std::find(rows.begin(), rows.end(), "http://huge.com") != rows.end())
              << ", heartbeat ticks " << heartbeat.ticks << ", longest gap "
              << std::chrono::duration<double, std::milli>(heartbeat.longestGap).count() << " ms\n";
    EXPECT_GT(heartbeat.ticks, 100);
    EXPECT_TRUE(form.BPlay->isEnabled());
    EXPECT_TRUE(prompts.errors().empty());
}

// The browser offers a binary answer as a download, refuses it and stays on
// the previous page; that page's text must not become this host's record
// (binary.com used to get badutf8.com's owner).
TEST_F(BrokenWhoisServers, DownloadAnswerTakesThePreviousHostsRecord)
{
    form.Button1Click({"badutf8.com", "binary.com"});
    EXPECT_EQ(captions(form.table()), (std::vector<std::string>{"http://badutf8.com"}));
}

RawLoopbackServer::Answer brokenEngine(const std::string& pathAndQuery)
{
    using Raw = RawLoopbackServer;
    const std::size_t at = pathAndQuery.rfind('=');
    const int page = std::stoi(pathAndQuery.substr(at + 1));
    switch (page % 6) {
    case 0:
        if (page == 12) {
            std::string body = "<p>Huge http://before-huge-12.com/</p><p>";
            while (body.size() < HugePageBytes) {
                body += "filler text of a very long result page without a link in it ";
            }
            return Raw::reply(200, "text/html",
                              htmlPage(body + "</p><p>After http://after-huge-12.com/</p>"));
        }
        return Raw::reply(200, "text/html",
                          htmlPage("<p>Good http://good-" + std::to_string(page) + ".com/</p>"));
    case 1:
        return {Raw::Kind::Reset, {}};
    case 2:
        return Raw::reply(
            500, "text/html",
            htmlPage("<p>Server error http://from-error-" + std::to_string(page) + ".net/</p>"));
    case 3:
        return Raw::reply(200, "text/html; charset=utf-8",
                          htmlPage("<p>" + junkBytes(100000) + "</p><p>After junk http://after-junk-" +
                                   std::to_string(page) + ".org/</p>"));
    case 4:
        return Raw::reply(200, "application/octet-stream", junkBytes(100000));
    default:
        return page < 20 ? Raw::reply(200, "text/html",
                                      htmlPage("<p>http://plain-" + std::to_string(page) + ".com/</p>"))
                         : RawLoopbackServer::Answer{Raw::Kind::Stall, {}};
    }
}

TEST(BrokenSearchEngines, SearchRunGoesOnUntilStopped)
{
    RawLoopbackServer server(&brokenEngine);
    test::UnlimitedSearchWindows windows("Broken\r\nhttp://" + server.hostAndPort() +
                                             "/search?q=\r\n&p=\r\n0\r\n1\r\n\r\n",
                                         QStringLiteral("anything"));
    Tliste& liste = windows.liste;
    ScriptedPrompts& prompts = windows.prompts;
    windows.tickAllEngines();

    prompts.answerQuestion(true);
    Heartbeat heartbeat;
    bool stopClicked = false;
    QObject::connect(&heartbeat.timer, &QTimer::timeout, [&] {
        // Page 23 is a stall: the engine has been through every kind of fault
        // three times by then.
        const std::vector<std::string> asked = server.requests();
        if (!stopClicked && !asked.empty() && asked.back().find("p=23") != std::string::npos) {
            stopClicked = true;
            QTimer::singleShot(1000, &liste, [&liste] { liste.Bstop->click(); });
        }
    });
    // The run ends on Stop even if something goes wrong: bound it.
    QTimer::singleShot(240000, &liste, [&] {
        if (!stopClicked) {
            stopClicked = true;
            ADD_FAILURE() << "the engine was never asked for page 23";
            liste.Bstop->click();
        }
    });
    liste.Bplay->click();

    std::vector<std::string> urls = liste.urls().texts();
    std::sort(urls.begin(), urls.end());
    for (const char* host : {"good-0.com", "good-6.com", "good-18.com", "from-error-2.net",
                             "after-junk-3.org", "plain-5.com", "plain-17.com"}) {
        EXPECT_TRUE(std::binary_search(urls.begin(), urls.end(), host)) << host;
    }
    std::cout << "[ figures  ] broken engine run: huge page hosts "
              << std::binary_search(urls.begin(), urls.end(), "before-huge-12.com") << " "
              << std::binary_search(urls.begin(), urls.end(), "after-huge-12.com") << ", heartbeat ticks "
              << heartbeat.ticks << ", longest gap "
              << std::chrono::duration<double, std::milli>(heartbeat.longestGap).count() << " ms\n";
    EXPECT_GT(heartbeat.ticks, 50);
    EXPECT_TRUE(liste.Bplay->isEnabled());
    EXPECT_TRUE(prompts.errors().empty());
}

class SaveFailures : public ::testing::Test {
protected:
    SaveFailures()
        : form(prompts, pump, std::make_unique<test::FakePageLoader>(),
               WhoisServices{{"127.0.0.1:9", "/a?b="}, {"127.0.0.1:9", "/c?d="}})
    {
        for (int i = 0; i < 500; ++i) {
            ResultRow& row = form.table().AddRow();
            row.SetCaption("http://host-" + std::to_string(i) + ".com");
            row.AppendSubItem("mailto:owner@host-" + std::to_string(i) + ".com");
            row.AppendSubItem("2029/02/03");
        }
    }

    void save(const std::filesystem::path& file)
    {
        prompts.answerSaveFile(QString::fromStdString(file.string()));
        form.BDisk->click();
    }

    TempFolder folder;
    ScriptedPrompts prompts;
    SteadyTickSource ticks;
    EventPump pump{ticks};
    TForm1 form;
};

TEST_F(SaveFailures, ParentThatIsAFileGivesAnErrorBox)
{
    test::writeFile(folder / "plain", "not a folder");
    save(folder / "plain" / "expire.csv");
    const std::vector<QString> errors = prompts.errors();
    ASSERT_EQ(errors.size(), 1U);
    EXPECT_TRUE(errors[0].contains(QStringLiteral("expire.csv"))) << errors[0].toStdString();
    EXPECT_EQ(test::readFile(folder / "plain"), "not a folder");
}

// Root writes into read-only folders all the same: for as long as it lives,
// this takes that override from the calling thread's effective capabilities
// (the permitted set keeps them to take back).
class WithoutPermissionOverride {
public:
    WithoutPermissionOverride()
    {
        if (syscall(SYS_capget, &m_header, m_saved) != 0) {
            return;
        }
        __user_cap_data_struct reduced[2] = {m_saved[0], m_saved[1]};
        reduced[0].effective &= ~((1U << CAP_DAC_OVERRIDE) | (1U << CAP_DAC_READ_SEARCH));
        m_reduced = syscall(SYS_capset, &m_header, reduced) == 0;
    }
    ~WithoutPermissionOverride()
    {
        if (m_reduced) {
            syscall(SYS_capset, &m_header, m_saved);
        }
    }
    WithoutPermissionOverride(const WithoutPermissionOverride&) = delete;
    WithoutPermissionOverride& operator=(const WithoutPermissionOverride&) = delete;

private:
    __user_cap_header_struct m_header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct m_saved[2]{};
    bool m_reduced = false;
};

TEST_F(SaveFailures, ReadOnlyFolderKeepsThePreviousFile)
{
    const std::filesystem::path readOnly = folder / "readonly";
    std::filesystem::create_directory(readOnly);
    const std::string previous = "Web sites,Email,Expires\r\nhttp://old.com,mailto:a@old.com,2020/01/01\r\n";
    test::writeFile(readOnly / "expire.csv", previous);
    std::filesystem::permissions(readOnly,
                                 std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    {
        const WithoutPermissionOverride asAnyUser;
        save(readOnly / "expire.csv");
    }
    std::filesystem::permissions(readOnly, std::filesystem::perms::owner_all);

    const std::vector<QString> errors = prompts.errors();
    ASSERT_EQ(errors.size(), 1U);
    EXPECT_TRUE(errors[0].contains(QStringLiteral("expire.csv"))) << errors[0].toStdString();
    EXPECT_EQ(test::readFile(readOnly / "expire.csv"), previous);
    int entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(readOnly)) {
        ++entries;
    }
    EXPECT_EQ(entries, 1);
}

TEST_F(SaveFailures, FullDiskKeepsThePreviousFile)
{
    const std::filesystem::path file = folder / "expire.csv";
    const std::string previous = "Web sites,Email,Expires\r\nhttp://old.com,mailto:a@old.com,2020/01/01\r\n";
    test::writeFile(file, previous);

    // A file-size limit makes every write past 4 KiB fail as on a full disk.
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    save(file);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    const std::vector<QString> errors = prompts.errors();
    ASSERT_EQ(errors.size(), 1U);
    EXPECT_TRUE(errors[0].contains(QStringLiteral("Cannot write file"))) << errors[0].toStdString();
    EXPECT_EQ(test::readFile(file), previous);
    // Nothing half-written is left next to it.
    int entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.path())) {
        ++entries;
    }
    EXPECT_EQ(entries, 1);

    // With room again the same save goes through.
    save(file);
    EXPECT_EQ(prompts.errors().size(), 1U);
    EXPECT_GT(test::readFile(file).size(), 4096U);
}

} // namespace
} // namespace ostrevo
