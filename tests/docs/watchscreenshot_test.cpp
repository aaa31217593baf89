// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
// Renders the Watch window with a list on its road to drops, offscreen, for
// the README; writes it into the build folder or OSTREVO_SCREENSHOT_DIR
// (scripts/screenshots.sh points it at docs/screenshots). Every cell's text
// must fit its column.
#include "watch/watchstore.h"
#include "watch/watchwindow.h"

#include "faketicksource.h"
#include "scriptedprompts.h"
#include "tempfolder.h"

#include <QDir>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHeaderView>
#include <QPlainTextEdit>
#include <QScreen>
#include <QStyle>
#include <QTableWidget>

#include <gtest/gtest.h>

namespace ostrevo {
namespace {

QString screenshotDir()
{
    const QString dir = qEnvironmentVariable("OSTREVO_SCREENSHOT_DIR");
    return dir.isEmpty() ? QDir::currentPath() : dir;
}

TEST(WatchScreenshot, ShowsTheListItsStagesAndItsNotices)
{
    test::TempFolder folder;
    const WallTime now = 1'808'740'800; // 2027/04/26 12:00 UTC
    {
        WatchStore store(folder / "watch.sqlite");
        const struct {
            const char* name;
            DomainState state;
            const char* expires;
            const char* drops;
            const char* notice;
        } rows[] = {
            {"harbour-coffee.com", DomainState::Registered, "2028/01/17", "", ""},
            {"old-maps-shop.net", DomainState::Expired, "2027/03/30", "2027/06/18", ""},
            {"quiet-garden.org", DomainState::Redemption, "2027/02/11", "2027/05/23",
             "quiet-garden.org entered redemption, drops about 2027/05/23"},
            {"paperlantern.com", DomainState::PendingDelete, "2027/01/05", "2027/04/29",
             "paperlantern.com entered pending delete, drops about 2027/04/29"},
            {"bluewren-books.com", DomainState::NotRegistered, "", "",
             "bluewren-books.com is not registered: available now"},
            {"tinkerhouse.net", DomainState::Registered, "2028/04/12", "",
             "tinkerhouse.net was renewed: expires 2028/04/12"},
        };
        for (const auto& row : rows) {
            store.add(row.name, now - 10 * DailyCheck);
            std::vector<WatchNotice> notices;
            if (*row.notice != '\0') {
                notices.push_back({WatchNoticeKind::Renewed, row.name, row.notice});
            }
            const WatchFinding finding{row.state, row.expires, row.drops};
            store.recordCheck(
                {row.name, now - 3600, finding, "", {}, notices, nextCheckAfter(finding, now - 3600)});
        }
    }
    test::ScriptedPrompts prompts;
    test::FakeTickSource ticks;
    WatchWindow window(prompts, ticks, folder / "watch.sqlite", folder / "rdap-dns.json",
                       [now] { return now; });
    window.show();
    QCoreApplication::processEvents();

    ASSERT_EQ(window.list->rowCount(), 6);
    for (int row = 0; row < window.list->rowCount(); ++row) {
        for (int column = 0; column + 1 < window.list->columnCount(); ++column) {
            const QTableWidgetItem* item = window.list->item(row, column);
            // The item delegate's margin on either side of the text.
            const int margin = window.list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1;
            const int needed = QFontMetrics(window.list->font()).horizontalAdvance(item->text()) + 2 * margin;
            EXPECT_LE(needed, window.list->columnWidth(column)) << item->text().toStdString();
        }
    }
    EXPECT_EQ(window.notices->toPlainText().count(QLatin1Char('\n')), 4);

    const QImage image = window.grab().toImage();
    EXPECT_EQ(image.size(), window.size() * QGuiApplication::primaryScreen()->devicePixelRatio());
    if (QGuiApplication::primaryScreen()->devicePixelRatio() == 1.0) {
        image.save(QDir(screenshotDir()).filePath(QStringLiteral("watch-window.png")));
    }
}

} // namespace
} // namespace ostrevo
