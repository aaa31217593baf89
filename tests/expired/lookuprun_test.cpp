// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "expired/tform1.h"
#include "platform/eventpump.h"
#include "platform/statuspanels.h"
#include "platform/systemlocale.h"
#include "resultlist/rowjournal.h"

#include "fakepageloader.h"
#include "faketicksource.h"
#include "scriptedprompts.h"

#include <QAction>
#include <QLabel>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QTime>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <fstream>

namespace ostrevo {
namespace {

using test::FakePageLoader;
using test::FakeTickSource;
using test::ScriptedPrompts;

std::string recordPage(const std::string& email, const std::string& date)
{
    return "Domain Name: X\r\nRegistrant Email: " + email + "\r\nRegistry Expiry Date: " + date + "\r\n";
}

const std::string kRefusal = "Query limit exceeded, try again later\r\n";
const std::string kUnknown = "No match for domain \"NOPE.COM\".\r\n";
const std::string kUnreadable = "<html>Our whois has moved</html>\r\n";

class LookupRunTest : public ::testing::Test {
protected:
    LookupRunTest()
    {
        auto loader = std::make_unique<FakePageLoader>();
        www = loader.get();
        form = std::make_unique<TForm1>(
            prompts, pump, std::move(loader),
            WhoisServices{{"first.test", "/first?d="}, {"second.test", "/second?d="}});
    }

    // The hand-over's button states, as a run starts.
    void handOver()
    {
        form->BPlay->setEnabled(false);
        form->BStop->setEnabled(true);
        form->BOpen->setEnabled(false);
    }

    std::vector<std::string> services() const
    {
        std::vector<std::string> which;
        for (const std::string& url : www->navigatedUrls()) {
            which.push_back(url.substr(7, url.find('/', 7) - 7));
        }
        return which;
    }

    QString panel(int i) const { return form->StatusBar1->panelText(i); }

    ScriptedPrompts prompts;
    FakeTickSource ticks;
    EventPump pump{ticks};
    FakePageLoader* www = nullptr;
    std::unique_ptr<TForm1> form;
};

TEST_F(LookupRunTest, RecordsBecomeRowsInCaptionOrder)
{
    www->answerEveryNavigation([](const std::string& url) {
        if (url.ends_with("zeta.com")) {
            return recordPage("<hostmaster@zeta.com>", "2028-09-13T04:00:00Z");
        }
        if (url.ends_with("alpha.org")) {
            return recordPage("admin@alpha.org", "05-Nov-2025");
        }
        return kUnknown;
    });
    form->Button1Click({"zeta.com", "nope.com", "alpha.org"});

    ResultTable& table = form->table();
    ASSERT_EQ(table.RowCount(), 2);
    EXPECT_EQ(table.Row(0).Caption(), "http://alpha.org");
    EXPECT_EQ(table.Row(0).SubItems(), (std::vector<std::string>{"mailto:admin@alpha.org", "2025/11/05"}));
    EXPECT_EQ(table.Row(1).Caption(), "http://zeta.com");
    EXPECT_EQ(table.Row(1).SubItems(),
              (std::vector<std::string>{"mailto:hostmaster@zeta.com", "2028/09/13"}));
    EXPECT_FALSE(table.Row(0).Checked());
    EXPECT_EQ(www->navigatedUrls().front(), "http://second.test/second?d=zeta.com");
    EXPECT_EQ(www->navigatedUrls()[1], "http://first.test/first?d=nope.com");
}

TEST_F(LookupRunTest, RecordsWithoutAddressAndUnregisteredHostsAsChosen)
{
    www->answerEveryNavigation([](const std::string& url) {
        if (url.ends_with("form.com")) {
            return recordPage("https://registrar.test/contact/form.com", "2028-09-13");
        }
        return url.ends_with("bare.com") ? std::string("Registry Expiry Date: 2028-09-13\r\n") : kUnknown;
    });
    form->Button1Click({"gone.com", "form.com", "bare.com"});
    EXPECT_EQ(www->navigatedUrls().size(), 3u) << "a host nobody holds is not asked twice";
    ResultTable& table = form->table();
    ASSERT_EQ(table.RowCount(), 2);
    EXPECT_EQ(table.Row(0).SubItems(), (std::vector<std::string>{"", "2028/09/13"}));
    EXPECT_EQ(table.Row(1).SubItems(),
              (std::vector<std::string>{"https://registrar.test/contact/form.com", "2028/09/13"}));

    form->ListUnregisteredHosts->trigger();
    form->Button1Click({"gone.com"});
    ASSERT_EQ(table.RowCount(), 3);
    EXPECT_EQ(table.Row(2).Caption(), "http://gone.com");
    EXPECT_EQ(table.Row(2).SubItems(), (std::vector<std::string>{"", "not registered"}));
}

TEST_F(LookupRunTest, OnlyDnsNamesAreAskedForAndShown)
{
    www->answerEveryNavigation(
        [](const std::string&) { return recordPage("a@b.com", "2028-09-13T04:00:00Z"); });
    form->Button1Click({"a.com&domain=b.org", "WWW.Shop.COM", "evil.com#mailto:bank.com", "x y.com"});
    // Its registered domain, now the run's first host, goes to the second service.
    EXPECT_EQ(www->navigatedUrls(), std::vector<std::string>{"http://second.test/second?d=shop.com"});
    ASSERT_EQ(form->table().RowCount(), 1);
    EXPECT_EQ(form->table().Row(0).Caption(), "http://shop.com");
}

TEST_F(LookupRunTest, OtherTldsThanTheWhoisPagesServeAreCountedInOneNotice)
{
    www->answerEveryNavigation(
        [](const std::string&) { return recordPage("a@b.com", "2028-09-13T04:00:00Z"); });
    for (const auto& [hosts, notice] :
         {std::pair<std::vector<std::string>, QString>{
              {"a.fr", "b.com", "www.c.co.uk", "d.xyz"},
              QStringLiteral("3 hosts have a TLD the whois pages do not "
                             "serve: choose RDAP")},
          {{"a.fr", "b.net"}, QStringLiteral("1 host has a TLD the whois pages do not serve: choose RDAP")},
          {{"b.org"}, QString()}}) {
        const std::size_t before = www->navigatedUrls().size();
        form->Button1Click(hosts);
        EXPECT_EQ(www->navigatedUrls().size(), before + 1);
        EXPECT_EQ(form->StatusBar1->notice(), notice);
    }
}

TEST_F(LookupRunTest, StatusPanelsShowWhatTheyAreGivenAsPlainText)
{
    const QList<QLabel*> panels = form->StatusBar1->findChildren<QLabel*>();
    ASSERT_GE(panels.size(), 3); // the three panels, and any notice beside them
    for (const QLabel* panel : panels) {
        EXPECT_EQ(panel->textFormat(), Qt::PlainText) << panel->objectName().toStdString();
    }
}

TEST_F(LookupRunTest, AHostWithoutAnswerIsAskedOnceMoreOnTheOtherServiceAndTheRunGoesOn)
{
    www->setNavigateHandler([this](const std::string& url) {
        if (url.ends_with("dead.com") || url == "http://first.test/first?d=slow.com") {
            www->timeOutSoon();
        } else {
            www->completeSoon(recordPage("a@b.com", "2028-09-13T04:00:00Z"));
        }
    });
    form->Button1Click({"zero.com", "slow.com", "dead.com", "next.com"});
    // As after a refusal, the host after one asked twice goes to the second service.
    EXPECT_EQ(services(), (std::vector<std::string>{"second.test", "first.test", "second.test", "second.test",
                                                    "first.test", "second.test"}));
    ASSERT_EQ(form->table().RowCount(), 3);
    EXPECT_EQ(www->pageTextReads(), 3) << "a page stopped at its deadline is not read";
    EXPECT_EQ(form->table().Row(0).Caption(), "http://next.com");
    EXPECT_EQ(form->table().Row(1).Caption(), "http://slow.com");
}

TEST_F(LookupRunTest, SecondServiceForEveryTenthHostAndAfterRefusalsUntilAnAnswer)
{
    std::vector<std::string> hosts;
    for (int i = 0; i < 25; ++i) {
        hosts.push_back("host" + std::to_string(i) + ".com");
    }
    www->answerEveryNavigation([](const std::string& url) {
        // Both services refuse hosts 3 and 4; 5 answers.
        if (url.ends_with("host3.com") || url.ends_with("host4.com")) {
            return kRefusal;
        }
        return kUnknown;
    });
    form->Button1Click(hosts);

    // A refused host is asked once more on the other service.
    std::vector<std::string> expected;
    for (int i = 0; i < 25; ++i) {
        const bool second = i % 10 == 0 || i == 4 || i == 5;
        expected.push_back(second ? "second.test" : "first.test");
        if (i == 3 || i == 4) {
            expected.push_back(second ? "first.test" : "second.test");
        }
    }
    EXPECT_EQ(services(), expected);
}

TEST_F(LookupRunTest, ARefusedHostGetsItsRowFromTheOtherService)
{
    www->answerEveryNavigation([](const std::string& url) {
        return url.starts_with("http://first.test") ? kRefusal : recordPage("owner@b.com", "2030-01-02");
    });
    form->Button1Click({"a.com", "b.com"});
    EXPECT_EQ(services(), (std::vector<std::string>{"second.test", "first.test", "second.test"}));
    ASSERT_EQ(form->table().RowCount(), 2);
    EXPECT_EQ(form->table().Row(1).Caption(), "http://b.com");
    EXPECT_EQ(form->table().Row(1).SubItems(),
              (std::vector<std::string>{"mailto:owner@b.com", "2030/01/02"}));
}

TEST_F(LookupRunTest, ServiceGivingNothingForTenHostsInARowIsNamedAndTheRunGoesOn)
{
    std::vector<std::string> hosts;
    for (int i = 0; i < 12; ++i) {
        hosts.push_back("host" + std::to_string(i) + ".com");
    }
    // The first service takes hosts 1 to 9 and 11; a refusal of host 5 breaks its series.
    www->answerEveryNavigation(
        [](const std::string& url) { return url.ends_with("first?d=host5.com") ? kRefusal : kUnreadable; });
    form->Button1Click(hosts);
    EXPECT_EQ(form->StatusBar1->notice(), QString());

    www->answerEveryNavigation([](const std::string&) { return kUnreadable; });
    form->Button1Click(hosts);
    EXPECT_EQ(form->StatusBar1->notice(),
              QStringLiteral("first.test may have changed its whois page: RDAP is in the command menu"));
    EXPECT_EQ(www->navigatedUrls().size(), 13U + 12U);

    // "Not found" is an answer: no warning, and no second service.
    www->answerEveryNavigation([](const std::string&) { return kUnknown; });
    form->Button1Click(hosts);
    EXPECT_EQ(form->StatusBar1->notice(), QString());
    EXPECT_EQ(www->navigatedUrls().size(), 13U + 12U + 12U);
}

TEST_F(LookupRunTest, PausesAfterEveryPageWithoutRealTime)
{
    www->answerEveryNavigation([](const std::string&) { return kUnknown; });
    const std::uint32_t before = ticks.now();
    form->Button1Click({"a.com", "b.com"});
    EXPECT_GE(ticks.now() - before, 2u * 2100u);
}

TEST_F(LookupRunTest, EmptyHostListDoesTheEndStepsAtOnce)
{
    form->StatusBar1->setPanelText(0, QStringLiteral("Estimated time:stale"));
    form->Button1Click({});
    EXPECT_FALSE(form->Timer1->isActive());
    EXPECT_EQ(panel(0), QString());
    EXPECT_EQ(form->buffer->value(), 0);
    EXPECT_EQ(form->table().RowCount(), 0);
    EXPECT_TRUE(www->navigatedUrls().empty());
}

TEST_F(LookupRunTest, StatusShowsRowsIncludingEarlierOnesAndTheCurrentHost)
{
    for (const char* caption : {"http://old1.com", "http://old2.com"}) {
        form->table().AddRow().SetCaption(caption);
    }
    std::vector<QString> seen;
    www->setNavigateHandler([&](const std::string&) {
        seen.push_back(panel(1) + QLatin1Char('|') + panel(2));
        EXPECT_TRUE(form->Timer1->isActive());
        www->completeSoon(recordPage("a@b.com", "2030-01-02"));
    });
    form->Button1Click({"one.com", "two.com"});
    EXPECT_EQ(seen, (std::vector<QString>{QStringLiteral("Domains:2|one.com"),
                                          QStringLiteral("Domains:3|two.com")}));
    EXPECT_EQ(form->table().RowCount(), 4);
    // The last host's row is counted too.
    EXPECT_EQ(panel(1), QStringLiteral("Domains:4"));
    EXPECT_FALSE(form->Timer1->isActive());
    EXPECT_EQ(form->buffer->value(), 0);
}

TEST_F(LookupRunTest, StopDuringThePageWaitEndsWithoutParsing)
{
    handOver();
    prompts.answerQuestion(true);
    www->setNavigateHandler([&](const std::string& url) {
        if (url.ends_with("a.com")) {
            www->completeSoon(recordPage("a@a.com", "2030-01-02"));
        } else { // b.com never completes; the user stops meanwhile
            QTimer::singleShot(0, form.get(), [this] { form->BStop->click(); });
        }
    });
    form->Button1Click({"a.com", "b.com", "c.com"});

    EXPECT_EQ(www->navigatedUrls().size(), 2u);
    EXPECT_EQ(www->pageTextReads(), 1);
    EXPECT_EQ(form->table().RowCount(), 1);
    EXPECT_EQ(prompts.log(), (std::vector<QString>{QStringLiteral("question: stop the search ?")}));
    EXPECT_TRUE(form->BPlay->isEnabled());
    EXPECT_FALSE(form->BStop->isEnabled());
    EXPECT_TRUE(form->BOpen->isEnabled());
    EXPECT_FALSE(form->Timer1->isActive());
}

TEST_F(LookupRunTest, StopDuringThePauseStillParsesThePageThenLeavesAtTheNextHost)
{
    handOver();
    prompts.answerQuestion(true);
    www->setNavigateHandler([&](const std::string&) {
        // The page is there at once; the click lands in the pause after it.
        www->complete(recordPage("a@a.com", "2030-01-02"));
        QTimer::singleShot(0, form.get(), [this] { form->BStop->click(); });
    });
    form->Button1Click({"a.com", "b.com", "c.com"});

    EXPECT_EQ(www->navigatedUrls().size(), 1u);
    ASSERT_EQ(form->table().RowCount(), 1);
    EXPECT_EQ(form->table().Row(0).Caption(), "http://a.com");
    EXPECT_EQ(form->buffer->value(), 1);
    EXPECT_EQ(panel(2), QStringLiteral("b.com"));
}

TEST_F(LookupRunTest, AnsweringNoToStopChangesNothing)
{
    handOver();
    prompts.answerQuestion(false);
    www->setNavigateHandler([&](const std::string& url) {
        if (url.ends_with("a.com")) {
            form->BStop->click();
        }
        www->completeSoon(kUnknown);
    });
    form->Button1Click({"a.com", "b.com"});

    EXPECT_EQ(www->navigatedUrls().size(), 2u);
    EXPECT_FALSE(form->BPlay->isEnabled());
    EXPECT_TRUE(form->BStop->isEnabled());
    EXPECT_FALSE(form->BOpen->isEnabled());
}

TEST_F(LookupRunTest, RunAfterAStopProcessesAllItsHosts)
{
    handOver();
    prompts.answerQuestion(true);
    www->setNavigateHandler(
        [&](const std::string&) { QTimer::singleShot(0, form.get(), [this] { form->BStop->click(); }); });
    form->Button1Click({"a.com", "b.com"});
    ASSERT_EQ(www->navigatedUrls().size(), 1u);

    handOver();
    www->setNavigateHandler({});
    www->answerEveryNavigation([](const std::string& url) {
        return recordPage("x@" + url.substr(url.rfind('=') + 1), "2031-03-04");
    });
    form->Button1Click({"c.com", "d.com", "e.com"});
    EXPECT_EQ(www->navigatedUrls().size(), 4u);
    EXPECT_EQ(form->table().RowCount(), 3);
    EXPECT_EQ(www->navigatedUrls()[1], "http://second.test/second?d=c.com");
}

TEST_F(LookupRunTest, ARunStartedDuringAnotherStopsTheOlderOne)
{
    int navigations = 0;
    www->setNavigateHandler([&](const std::string&) {
        ++navigations;
        // The first page of the outer run starts a second run meanwhile.
        if (navigations == 1) {
            QTimer::singleShot(0, form.get(), [this] { form->Button1Click({"inner.com"}); });
        }
        www->completeSoon(kUnknown);
    });
    form->Button1Click({"outer1.com", "outer2.com", "outer3.com"});
    // outer1 and inner; the outer run does not go on with outer2.
    EXPECT_EQ(navigations, 2);
}

TEST_F(LookupRunTest, EstimateShowsTwoSecondsPerHostLeft)
{
    form->buffer->setRange(0, 200);
    form->buffer->setValue(75);
    form->Timer1Timer();
    EXPECT_EQ(panel(0), QStringLiteral("Estimated time:") + QTime(0, 4, 10).toString(longTimeFormat()));

    form->buffer->setRange(0, 50000);
    form->buffer->setValue(0);
    form->Timer1Timer();
    EXPECT_EQ(panel(0), QStringLiteral("Estimated time:27:46:40"));
}

TEST_F(LookupRunTest, WindowStaysOpenUntilStopIsConfirmed)
{
    form->show();
    handOver();
    EXPECT_FALSE(form->close());
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(prompts.log(),
              (std::vector<QString>{QStringLiteral("information: You must stop the program before !")}));

    prompts.answerQuestion(true);
    form->BStop->click();
    EXPECT_TRUE(form->close());
}

TEST_F(LookupRunTest, AHandedOverRunThatEndsSaysStopStartsANewSearch)
{
    const struct {
        bool handedOver;
        QString hostPanel;
    } cases[] = {{true, TForm1::lookupFinishedText()}, {false, QStringLiteral("b.com")}};
    www->answerEveryNavigation([](const std::string&) { return kUnknown; });
    for (const auto& c : cases) {
        if (c.handedOver) {
            handOver();
        }
        form->Button1Click({"a.com", "b.com"});
        EXPECT_EQ(panel(2), c.hostPanel);
        // Start and Load wait for Stop all the same.
        EXPECT_EQ(form->BPlay->isEnabled(), !c.handedOver);
        EXPECT_EQ(form->BOpen->isEnabled(), !c.handedOver);
        if (c.handedOver) {
            prompts.answerQuestion(true); // stop the search ?
            form->BStop->click();
            EXPECT_EQ(panel(2), QString());
            EXPECT_TRUE(form->BPlay->isEnabled());
        }
    }
}

TEST_F(LookupRunTest, StartsWithTheButtonsAndPanelsOfAnIdleWindow)
{
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Ostrevo"));
    EXPECT_TRUE(form->BPlay->isEnabled());
    EXPECT_FALSE(form->BStop->isEnabled());
    EXPECT_TRUE(form->BOpen->isEnabled());
    EXPECT_FALSE(form->Timer1->isActive());
    EXPECT_EQ(form->Timer1->interval(), 2000);
    EXPECT_EQ(panel(1), QStringLiteral("Domains:0"));
    EXPECT_FALSE(www->visible());
    EXPECT_TRUE(www->silent());
    EXPECT_TRUE(www->requestNewWindow());
}

// Found rows outlive a crash (journal), a close (the save question) and a
// delete (undo); a stopped run gives back the hosts it did not reach.
TEST_F(LookupRunTest, NothingFoundIsLost)
{
    const QTemporaryDir dir;
    const std::filesystem::path journal = dir.filePath(QStringLiteral("journal.csv")).toStdString();
    form->setJournalFile(journal);
    std::vector<std::string> returned;
    form->setHostsReturn([&](std::vector<std::string> hosts) { returned = std::move(hosts); });
    std::size_t journalledBeforeB = 0;
    www->setNavigateHandler([&](const std::string& url) {
        const std::string host = url.substr(url.find("?d=") + 3);
        if (host == "b.com") {
            journalledBeforeB = readRowJournal(journal).size();
        }
        if (host == "e.com") {
            QTimer::singleShot(0, form.get(), [this] { form->BStop->click(); });
        } else {
            www->completeSoon(recordPage("x@" + host, "2030-01-02"));
        }
    });
    handOver();
    form->Button1Click({"a.com", "b.com"});
    EXPECT_EQ(journalledBeforeB, 1u);
    EXPECT_FALSE(std::filesystem::exists(journal)) << "a run that ended removes its journal";

    prompts.answerQuestion(true); // stop the search ?
    prompts.answerQuestion(true); // put the rest back
    form->Button1Click({"c.com", "d.com", "e.com", "f.com"});
    EXPECT_EQ(prompts.log().back(),
              QStringLiteral("question: Put the 2 hosts not yet looked up back into the links search list?"));
    EXPECT_EQ(returned, (std::vector<std::string>{"e.com", "f.com"}));

    // Killed now: the next start offers the whole rows, not one cut short.
    std::ofstream(journal, std::ios::app) << "http://cut.com,mailto:x@cu";
    TForm1 next(prompts, pump, std::make_unique<FakePageLoader>(), WhoisServices{});
    next.setJournalFile(journal);
    prompts.answerQuestion(true);
    next.offerJournalRestore();
    ASSERT_EQ(next.table().RowCount(), 2);
    EXPECT_EQ(next.table().Row(1).SubItems(), (std::vector<std::string>{"mailto:x@d.com", "2030/01/02"}));
    EXPECT_TRUE(next.hasUnsavedRows());

    // Delete, then undo: rows and ticks come back.
    ResultTable& table = form->table();
    table.Row(0).SetChecked(true);
    table.Row(2).SetChecked(true);
    form->Effacertouslesemailsdcochs1->trigger();
    EXPECT_EQ(table.RowCount(), 2);
    ASSERT_TRUE(form->UndoDelete->isEnabled());
    form->UndoDelete->trigger();
    ASSERT_EQ(table.RowCount(), 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(table.Row(i).Checked(), i == 0 || i == 2) << i;
    }
    EXPECT_FALSE(form->UndoDelete->isEnabled());

    // Closing asks to save the unsaved rows; Cancel keeps the window.
    prompts.clearLog();
    form->show();
    prompts.answerSaveOrDiscard(SaveChoice::Cancel);
    EXPECT_FALSE(form->close());
    prompts.answerSaveOrDiscard(SaveChoice::Save);
    prompts.answerSaveFile(dir.filePath(QStringLiteral("rows.csv")));
    EXPECT_TRUE(form->close());
    EXPECT_EQ(prompts.log().front(), QStringLiteral("save or discard: Save the 4 rows before quitting?"));
    EXPECT_TRUE(std::filesystem::exists(dir.filePath(QStringLiteral("rows.csv")).toStdString()));
    EXPECT_FALSE(std::filesystem::exists(journal));
    form->show();
    EXPECT_TRUE(form->close()) << "saved: nothing to ask";
}

} // namespace
} // namespace ostrevo
