// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
// The main window's RDAP run and its menu choices, against a loopback registry.
#include "expired/tform1.h"
#include "platform/eventpump.h"
#include "platform/statuspanels.h"
#include "platform/ticksource.h"

#include "fakepageloader.h"
#include "rdaptestservers.h"
#include "scriptedprompts.h"
#include "silentlistener.h"
#include "tempfolder.h"

#include <QAction>
#include <QProgressBar>
#include <QSettings>
#include <QStandardPaths>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

namespace ostrevo {
namespace {

using test::FakePageLoader;
using test::RdapTestServers;
using test::readFile;
using test::ScriptedPrompts;
using test::TempFolder;

class RdapLookupRunTest : public ::testing::Test {
protected:
    RdapLookupRunTest()
    {
        // Settings of the tests' own, never the user's.
        QStandardPaths::setTestModeEnabled(true);
        QSettings().remove(QStringLiteral("lookup"));
        QSettings().setValue(QStringLiteral("lookup/rdapRequestsPerSecond"), 50);
    }

    std::unique_ptr<TForm1> newForm()
    {
        auto loader = std::make_unique<FakePageLoader>();
        www = loader.get();
        auto form =
            std::make_unique<TForm1>(prompts, pump, std::move(loader),
                                     WhoisServices{{"first.test", "/f?d="}, {"second.test", "/s?d="}});
        form->setRdapServersFile(folder.write("rdap.json", servers.bootstrap()));
        return form;
    }

    ScriptedPrompts prompts;
    SteadyTickSource ticks;
    EventPump pump{ticks};
    TempFolder folder;
    RdapTestServers servers{2};
    FakePageLoader* www = nullptr;
};

TEST_F(RdapLookupRunTest, MenuChoicesAreExclusiveAndRemembered)
{
    {
        const auto form = newForm();
        EXPECT_TRUE(form->LookUpWithWhoisPages->isChecked());
        EXPECT_FALSE(form->LookUpWithRdap->isChecked());
        EXPECT_FALSE(form->ListUnregisteredHosts->isChecked());
        form->LookUpWithRdap->trigger();
        form->ListUnregisteredHosts->trigger();
        EXPECT_FALSE(form->LookUpWithWhoisPages->isChecked());
    }
    EXPECT_EQ(QSettings().value(QStringLiteral("lookup/source")).toString(), QStringLiteral("rdap"));
    EXPECT_TRUE(QSettings().value(QStringLiteral("lookup/listUnregistered")).toBool());
    const auto again = newForm();
    EXPECT_TRUE(again->LookUpWithRdap->isChecked());
    EXPECT_TRUE(again->ListUnregisteredHosts->isChecked());
}

TEST_F(RdapLookupRunTest, RunAddsTheSameThreeColumnRows)
{
    for (const bool listUnregistered : {true, false}) {
        SCOPED_TRACE(listUnregistered);
        QSettings().setValue(QStringLiteral("lookup/source"), QStringLiteral("rdap"));
        QSettings().setValue(QStringLiteral("lookup/listUnregistered"), listUnregistered);
        const auto form = newForm();
        form->lookUpHandedOverHosts({"mail-a.com", "form-b.net", "gone-c.org", "error-d.com"});

        std::vector<std::vector<std::string>> rows;
        for (int i = 0; i < form->table().RowCount(); ++i) {
            std::vector<std::string> row = form->table().Row(i).SubItems();
            row.emplace(row.begin(), form->table().Row(i).Caption());
            rows.push_back(row);
        }
        std::vector<std::vector<std::string>> expected = {
            {"http://form-b.net", "https://registrar.test/contact/form-b.net", "2027/03/04"},
            {"http://mail-a.com", "mailto:owner@mail-a.com", "2027/03/04"},
        };
        if (listUnregistered) {
            expected.insert(expected.end() - 1, {"http://gone-c.org", "", "not registered"});
        }
        EXPECT_EQ(rows, expected);
        EXPECT_EQ(form->StatusBar1->notice(), QStringLiteral("No answer: 1"));
        EXPECT_FALSE(form->Timer1->isActive());
        EXPECT_EQ(form->buffer->value(), 0);
        EXPECT_TRUE(www->navigatedUrls().empty());
    }
}

// The end notice counts the rows with an expiry and names the hosts without an
// answer; those go back to the links list at the end, and with the hosts not
// reached when Stop ends the run.
TEST_F(RdapLookupRunTest, UnansweredHostsAreNamedAndOfferedBack)
{
    QSettings().setValue(QStringLiteral("lookup/source"), QStringLiteral("rdap"));
    QSettings().setValue(QStringLiteral("lookup/listUnregistered"), true);
    const auto form = newForm();
    std::vector<QString> announced;
    form->setRunEndAnnouncer([&](const QString& text) { announced.push_back(text); });
    std::vector<std::string> returned;
    form->setHostsReturn([&](std::vector<std::string> hosts) { returned = std::move(hosts); });

    prompts.answerQuestion(true);
    form->lookUpHandedOverHosts({"mail-a.com", "gone-b.org", "noexpiry-c.com", "error-d.com"});
    EXPECT_EQ(form->table().RowCount(), 3);
    EXPECT_EQ(announced, std::vector<QString>{
                             QStringLiteral("Lookup finished: 1 domains found; no answer for error-d.com")});
    EXPECT_EQ(prompts.log(),
              std::vector<QString>{QStringLiteral(
                  "question: Put the 1 host without an answer back into the links search list?")});
    EXPECT_EQ(returned, std::vector<std::string>{"error-d.com"});

    // Stop once error-a.com has gone unanswered, while stall-b.com waits.
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (form->StatusBar1->notice() == QStringLiteral("No answer: 1")) {
            poll.stop();
            form->BStop->click();
        }
    });
    poll.start(10);
    prompts.clearLog();
    prompts.answerQuestion(true); // stop the search ?
    prompts.answerQuestion(true); // put them back
    announced.clear();
    form->lookUpHandedOverHosts({"error-a.com", "stall-b.com"});
    EXPECT_EQ(prompts.log().back(),
              QStringLiteral("question: Put the 2 hosts not yet looked up or without an "
                             "answer back into the links search list?"));
    EXPECT_EQ(returned, (std::vector<std::string>{"stall-b.com", "error-a.com"}));
    EXPECT_TRUE(announced.empty());
}

TEST_F(RdapLookupRunTest, UpdateReplacesTheServerListOnlyWithABootstrapFile)
{
    const auto form = newForm();
    const std::filesystem::path file = folder.path() / "rdap.json";
    const std::string good = R"({"services": [[["com"], ["https://rdap.test/"]]]})";
    const std::pair<std::optional<std::string>, const char*> cases[] = {
        {std::nullopt, "information: Could not update the RDAP servers"},
        {"<html>Not found</html>", "information: Could not update the RDAP servers"},
        {R"({"services": [[["com"], ["ftp://rdap.test/"]]]})",
         "information: Could not update the RDAP servers"},
        {good, "information: RDAP servers updated !"},
    };
    for (const auto& [download, message] : cases) {
        const std::string before = readFile(file);
        std::string askedUrl;
        form->setDownload([&](const std::string& url, std::size_t) {
            askedUrl = url;
            return download;
        });
        prompts.clearLog();
        form->UpdateRdapServers->trigger();
        EXPECT_EQ(askedUrl, "https://data.iana.org/rdap/dns.json");
        EXPECT_EQ(prompts.log(), std::vector<QString>{QString::fromLatin1(message)});
        EXPECT_EQ(readFile(file), download == good ? good : before);
    }
}

TEST_F(RdapLookupRunTest, AStalledUpdateLeavesTheWindowAliveAndStopCancelsIt)
{
    const auto form = newForm();
    const test::SilentListener stalled;
    form->setRdapServersUpdateUrl(stalled.url("/rdap/dns.json"));
    const std::filesystem::path file = folder.path() / "rdap.json";
    const std::string before = readFile(file);

    int timerFires = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] { ++timerFires; });
    timer.start(10);
    QString shown;
    QTimer::singleShot(200, form.get(), [&] {
        shown = form->StatusBar1->notice();
        form->BStop->click();
    });
    prompts.clearLog();
    form->UpdateRdapServers->trigger();

    EXPECT_EQ(shown, QStringLiteral("Downloading the RDAP servers: Stop or Esc cancels"));
    EXPECT_GE(timerFires, 5);
    EXPECT_EQ(prompts.log(),
              std::vector<QString>{QStringLiteral("information: Could not update the RDAP servers")});
    EXPECT_EQ(readFile(file), before);
    EXPECT_EQ(form->StatusBar1->notice(), QString());
    EXPECT_FALSE(form->BStop->isEnabled());
}

} // namespace
} // namespace ostrevo
