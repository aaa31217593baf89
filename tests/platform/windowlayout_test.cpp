// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
// Window sizes and places that follow the screen, and status texts that
// never widen their window.
#include "platform/statuspanels.h"
#include "platform/windowplacement.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>

#include <gtest/gtest.h>

namespace ostrevo {
namespace {

TEST(WindowPlacement, OpeningSizeFitsTheScreen)
{
    const QSize preferred(900, 600);
    const QSize least(575, 391);
    const struct {
        QRect screen;
        QSize expected;
    } cases[] = {
        {{0, 0, 1280, 800}, {900, 600}},     // room enough
        {{0, 0, 800, 600}, {720, 540}},      // nine tenths of a small screen
        {{0, 0, 600, 420}, {575, 391}},      // never below the least
        {{0, 0, 400, 300}, {575, 391}},      // even on a tinier screen
        {{0, 0, 0, 0}, {900, 600}},          // no screen known
        {{1280, 0, 2560, 1440}, {900, 600}}, // a second screen
    };
    for (const auto& c : cases) {
        EXPECT_EQ(fittedWindowSize(preferred, least, c.screen), c.expected) << c.screen.width();
    }
}

TEST(WindowPlacement, SmallWindowsOpenOverTheirOwnerAndStayOnScreen)
{
    const QRect screen(0, 0, 1280, 800);
    const QSize size(260, 110);
    const struct {
        QRect owner;
        QPoint expected;
    } cases[] = {
        {{100, 100, 600, 400}, {270, 245}}, // centred
        {{-500, 0, 600, 400}, {0, 145}},    // owner half off the left edge
        {{1000, 700, 600, 400}, {1020, 690}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(centredOver(size, c.owner, screen).topLeft(), c.expected) << c.owner.x();
    }
}

TEST(StatusPanels, ALongTextIsCutNeverWideningTheWindow)
{
    QMainWindow window;
    auto* panels = new StatusPanels({140, 150, 50});
    window.setStatusBar(panels);
    window.resize(575, 391);
    window.show();
    // The notice, once shown, takes a place of its own whatever its text.
    panels->setNotice(QStringLiteral("x"));
    QApplication::processEvents();
    const int width = window.width();
    const int minimum = window.minimumSizeHint().width();
    const QString warning = QStringLiteral(
        "The first whois service gave no record for 10 hosts in a row: it may have changed its "
        "whois page; Ostrevo now asks the second one");
    const struct {
        int panel; // -1: the notice
        QString text;
    } cases[] = {{-1, warning}, {0, warning}, {2, warning}, {2, warning + QStringLiteral("\nsecond line")}};
    for (const auto& c : cases) {
        panels->setNotice(QStringLiteral("x"));
        for (int panel = 0; panel < 3; ++panel) {
            panels->setPanelText(panel, QString());
        }
        QLabel* label = c.panel < 0 ? panels->noticeLabel() : panels->panelLabel(c.panel);
        if (c.panel < 0) {
            panels->setNotice(c.text);
        } else {
            panels->setPanelText(c.panel, c.text);
        }
        QApplication::processEvents();
        EXPECT_EQ(window.width(), width);
        EXPECT_EQ(window.minimumSizeHint().width(), minimum);
        EXPECT_TRUE(label->text().endsWith(QChar(0x2026))) << label->text().toStdString();
        EXPECT_FALSE(label->text().contains(QLatin1Char('\n')));
        EXPECT_EQ(label->toolTip(), c.text);
        EXPECT_EQ(c.panel < 0 ? panels->notice() : panels->panelText(c.panel),
                  QString(c.text).replace(QLatin1Char('\n'), QLatin1Char(' ')));
    }
    // A short text shows whole, without a tool tip.
    panels->setPanelText(1, QStringLiteral("Domains:12"));
    EXPECT_EQ(panels->panelLabel(1)->text(), QStringLiteral("Domains:12"));
    EXPECT_TRUE(panels->panelLabel(1)->toolTip().isEmpty());
}

} // namespace
} // namespace ostrevo
