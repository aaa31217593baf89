// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
// The Watch window, and the main window's commands that fill it.
#include "watch/watchwindow.h"

#include "expired/tform1.h"
#include "platform/eventpump.h"
#include "platform/ticksource.h"
#include "resultlist/resultcolumns.h"
#include "resultlist/resulttablemodel.h"
#include "resultlist/tresultlistview.h"
#include "watch/watchstore.h"

#include "fakepageloader.h"
#include "faketicksource.h"
#include "rdaptestservers.h"
#include "scriptedprompts.h"
#include "tempfolder.h"

#include <QAction>
#include <QDialog>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTableWidget>

#include <gtest/gtest.h>

namespace ostrevo {
namespace {

using namespace test;

TEST(WatchWindow, WatchesTheTickedRowsDomainsAndChecksThemAtOnce)
{
    QStandardPaths::setTestModeEnabled(true);
    QSettings().setValue(QStringLiteral("lookup/source"), QStringLiteral("rdap"));
    QSettings().setValue(QStringLiteral("lookup/rdapRequestsPerSecond"), 50);
    ScriptedPrompts prompts;
    SteadyTickSource ticks;
    EventPump pump{ticks};
    TempFolder folder;
    RdapTestServers servers;
    TForm1 form(prompts, pump, std::make_unique<FakePageLoader>(),
                WhoisServices{{"first.test", "/f?d="}, {"second.test", "/s?d="}});
    form.setRdapServersFile(folder.write("rdap.json", servers.bootstrap()));
    EXPECT_FALSE(form.WatchTicked->isEnabled()) << "no watch list yet";

    form.lookUpHandedOverHosts({"mail-a.com", "www.mail-b.com"});
    ASSERT_EQ(form.table().RowCount(), 2);
    // The lookup's status stands in the Expires cell's tool tip, not in the row.
    ResultTableModel& model = form.resultat->resultModel();
    const QString tip = model.index(0, columnOf(ResultField::Expires)).data(Qt::ToolTipRole).toString();
    EXPECT_TRUE(tip.startsWith(QStringLiteral("Status: registered"))) << tip.toStdString();
    EXPECT_EQ(form.table().Row(0).SubItemCount(), 2U);
    EXPECT_FALSE(model.index(0, columnOf(ResultField::Site)).data(Qt::ToolTipRole).isValid());

    form.setWatchList(folder / "watch.sqlite");
    form.WatchTicked->trigger();
    EXPECT_EQ(prompts.log().size(), 1U) << "nothing ticked: says so";
    for (int i = 0; i < form.table().RowCount(); ++i) {
        form.table().Row(i).SetChecked(true);
    }
    form.WatchTicked->trigger();
    WatchWindow& window = *form.watchWindow();
    EXPECT_TRUE(window.isVisible());
    pump.waitUntil([&] { return !window.checker().busy(); });
    std::vector<std::string> states;
    for (const WatchedDomain& domain : window.store().domains()) {
        states.push_back(domain.name + " " +
                         std::string(stateText(domain.finding.value_or(WatchFinding{}).state)));
    }
    EXPECT_EQ(states, (std::vector<std::string>{"mail-a.com registered", "mail-b.com registered"}));
    EXPECT_EQ(window.list->rowCount(), 2);
}

TEST(WatchWindow, RemovesAfterAskingAndShowsADomainsHistory)
{
    TempFolder folder;
    const WallTime now = 1'808'740'800;
    {
        WatchStore store(folder / "watch.sqlite");
        for (const char* name : {"keep.com", "drop.net"}) {
            store.add(name, now);
            store.recordCheck(
                {name, now, {DomainState::Redemption, "2027/03/01", "2027/05/01"}, "", {}, {}, now});
        }
    }
    ScriptedPrompts prompts;
    FakeTickSource ticks;
    WatchWindow window(prompts, ticks, folder / "watch.sqlite", folder / "none.json", [now] { return now; });
    window.historyButton->click();
    EXPECT_EQ(prompts.log().size(), 1U) << "asks for one domain";

    window.list->selectRow(1); // keep.com
    window.historyButton->click();
    const auto* history = window.findChild<QDialog*>(QStringLiteral("history"));
    ASSERT_NE(history, nullptr);
    EXPECT_TRUE(history->findChild<QPlainTextEdit*>()->toPlainText().contains(
        QStringLiteral("redemption, expires 2027/03/01")));

    window.checkNowButton->click();
    EXPECT_TRUE(window.statusLine->text().contains(QStringLiteral("Update RDAP servers")));

    window.list->selectRow(0); // drop.net
    prompts.answerQuestion(false);
    window.removeButton->click();
    EXPECT_EQ(window.list->rowCount(), 2);
    prompts.answerQuestion(true);
    window.removeButton->click();
    ASSERT_EQ(window.list->rowCount(), 1);
    EXPECT_EQ(window.list->item(0, 0)->text(), QStringLiteral("keep.com"));
}

} // namespace
} // namespace ostrevo
