// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "hints/tballoonhints.h"

#include "hints/balloontooltips.h"
#include "hints/sharedhintsettings.h"
#include "hints/tnewhint.h"

#include <QCursor>
#include <QFontInfo>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QTest>
#include <QToolTip>

#include <gtest/gtest.h>

#include <memory>

namespace ostrevo {
namespace {

using enum THintDirection;

// Resets what the hint settings share across the application.
class HintsTest : public ::testing::Test {
protected:
    ~HintsTest() override
    {
        BalloonToolTips::uninstall();
        QToolTip::hideText();
        sharedHintSettings() = SharedHintSettings();
        setApplicationHintPause(700);
        setApplicationMainWindow(nullptr);
        QCursor::setPos(799, 799);
        QCoreApplication::processEvents();
    }
};

using TBalloonHintsTest = HintsTest;

TEST_F(TBalloonHintsTest, CreationGivesTheDefaultsAndMakesThemTheApplications)
{
    sharedHintSettings() = {true, 120, 5};
    setApplicationHintPause(10);
    QObject owner;
    const TBalloonHints hints(&owner);

    EXPECT_TRUE(hints.About().isEmpty());
    EXPECT_EQ(hints.HintDirection(), hdUpRight);
    EXPECT_EQ(hints.HintColor(), QColor(255, 255, 0));
    EXPECT_EQ(hints.HintShadowColor(), QColor(128, 0, 128));
    EXPECT_EQ(hints.HintRadius(), 18);
    EXPECT_EQ(hints.HintWidth(), 250);
    EXPECT_FALSE(hints.HintActive());
    EXPECT_EQ(hints.HintPauseTime(), 1000);
    EXPECT_FALSE(hints.OnSelectHintDirection);

    const QFont font = hints.HintFont();
    EXPECT_EQ(font.pointSize(), 8);
    EXPECT_TRUE(font.italic());
    EXPECT_EQ(hints.HintFontColor(), QColor(0, 0, 0));
    const QString family = QFontInfo(font).family();
    EXPECT_TRUE(family == QStringLiteral("Arial") || family == QStringLiteral("Liberation Sans"))
        << family.toStdString();

    EXPECT_FALSE(sharedHintSettings().active);
    EXPECT_EQ(sharedHintSettings().wrapWidth, 250);
    EXPECT_EQ(sharedHintSettings().radius, 18);
    EXPECT_EQ(applicationHintPause(), 1000);
    EXPECT_EQ(BalloonToolTips::instance(), nullptr);
}

TEST_F(TBalloonHintsTest, WidthIsCutTo300AndSharedWithRadiusAndDelay)
{
    QObject owner;
    TBalloonHints hints(&owner);
    hints.setHintWidth(400);
    EXPECT_EQ(hints.HintWidth(), 300);
    EXPECT_EQ(sharedHintSettings().wrapWidth, 300);
    hints.setHintWidth(120);
    EXPECT_EQ(sharedHintSettings().wrapWidth, 120);

    hints.setHintRadius(9);
    EXPECT_EQ(hints.HintRadius(), 9);
    EXPECT_EQ(sharedHintSettings().radius, 9);

    hints.setHintPauseTime(250);
    EXPECT_EQ(applicationHintPause(), 250);
}

TEST_F(TBalloonHintsTest, TheLastComponentWrittenDecidesForEveryBalloon)
{
    QObject owner;
    TBalloonHints first(&owner);
    first.setHintActive(true);
    ASSERT_NE(BalloonToolTips::instance(), nullptr);

    // A new component starts with balloons off, for the whole application.
    TBalloonHints second(&owner);
    EXPECT_EQ(BalloonToolTips::instance(), nullptr);
    EXPECT_FALSE(sharedHintSettings().active);
    EXPECT_TRUE(first.HintActive());

    second.setHintRadius(30);
    EXPECT_EQ(sharedHintSettings().radius, 30);
    first.setHintRadius(18);
    EXPECT_EQ(sharedHintSettings().radius, 18);
    // The radius a component reports is the one it was given, even when the
    // shared one already had that value.
    second.setHintRadius(18);
    EXPECT_EQ(second.HintRadius(), 18);

    // The wrap width is only written when the component's own value changes.
    second.setHintWidth(100);
    first.setHintWidth(250);
    EXPECT_EQ(sharedHintSettings().wrapWidth, 100);
}

TEST_F(TBalloonHintsTest, SwitchingOnInstallsTheBalloonWithTheHintFont)
{
    QObject owner;
    TBalloonHints hints(&owner);
    hints.setHintActive(true);
    ASSERT_NE(BalloonToolTips::instance(), nullptr);
    TNewHint* balloon = BalloonToolTips::instance()->hintWindow();
    EXPECT_EQ(balloon->font(), hints.HintFont());
    EXPECT_TRUE(sharedHintSettings().active);

    QFont larger = hints.HintFont();
    larger.setPointSize(12);
    hints.setHintFont(larger);
    EXPECT_EQ(BalloonToolTips::instance()->hintWindow()->font(), larger);

    hints.setHintActive(false);
    EXPECT_EQ(BalloonToolTips::instance(), nullptr);
    EXPECT_FALSE(sharedHintSettings().active);
}

TEST_F(TBalloonHintsTest, FindBalloonHintsTakesTheFirstComponentOwned)
{
    QObject owner;
    EXPECT_EQ(FindBalloonHints(&owner), nullptr);
    EXPECT_EQ(FindBalloonHints(nullptr), nullptr);
    new QObject(&owner);
    auto* first = new TBalloonHints(&owner);
    new TBalloonHints(&owner);
    EXPECT_EQ(FindBalloonHints(&owner), first);
    // Only components the window owns directly.
    QObject outer;
    new TBalloonHints(new QObject(&outer));
    EXPECT_EQ(FindBalloonHints(&outer), nullptr);
}

// A window with a button that has a tool tip and a label that has none.
class BalloonToolTipsTest : public HintsTest {
protected:
    BalloonToolTipsTest()
    {
        window.setGeometry(100, 100, 300, 200);
        button = new QPushButton(QStringLiteral("Start"), &window);
        button->setGeometry(20, 20, 100, 30);
        button->setToolTip(QStringLiteral("Start the search"));
        label = new QLabel(QStringLiteral("Links:"), &window);
        label->setGeometry(20, 120, 100, 30);
        hints = new TBalloonHints(&window);
        hints->setHintPauseTime(50);
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    static TNewHint* balloon()
    {
        BalloonToolTips* balloons = BalloonToolTips::instance();
        return balloons ? balloons->hintWindow() : nullptr;
    }
    static bool balloonShown()
    {
        const TNewHint* shown = balloon();
        return shown && shown->isVisible();
    }

    void restOn(QWidget* widget, QPoint at = QPoint(10, 10))
    {
        // The offscreen cursor moves the mouse over the window under it.
        QCursor::setPos(widget->mapToGlobal(at));
        QCoreApplication::processEvents();
    }

    QWidget window;
    QPushButton* button = nullptr;
    QLabel* label = nullptr;
    TBalloonHints* hints = nullptr;
};

TEST_F(BalloonToolTipsTest, ARestingMouseGetsTheToolTipInABalloonAtTheCursor)
{
    hints->setHintActive(true);
    restOn(button);
    QTRY_VERIFY(balloonShown());
    TNewHint* shown = balloon();
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->text(), QStringLiteral("Start the search"));
    EXPECT_EQ(BalloonToolTips::instance()->hintControl(), button);
    EXPECT_FALSE(QToolTip::isVisible());
    // Up and right: the tip's point two pixels above the cursor.
    const QPoint cursor = button->mapToGlobal(QPoint(10, 10));
    EXPECT_EQ(shown->direction(), hdUpRight);
    EXPECT_EQ(shown->geometry().bottomLeft(), cursor - QPoint(0, 3));
    EXPECT_EQ(shown->settings(), hints);
}

TEST_F(BalloonToolTipsTest, TheBalloonGoesWhenTheMouseLeavesTheControlOrAKeyIsPressed)
{
    hints->setHintActive(true);
    restOn(button);
    QTRY_VERIFY(balloonShown());
    restOn(button, QPoint(60, 20)); // still on it
    QTest::qWait(150);
    EXPECT_TRUE(balloonShown());

    restOn(label);
    EXPECT_FALSE(balloonShown());
    QTest::qWait(150); // the label has no tool tip, nor has the window
    EXPECT_FALSE(balloonShown());

    restOn(button);
    QTRY_VERIFY(balloonShown());
    QTest::keyClick(&window, Qt::Key_A);
    EXPECT_FALSE(balloonShown());
}

TEST_F(BalloonToolTipsTest, TheBalloonWaitsForTheHintPause)
{
    hints->setHintPauseTime(400);
    hints->setHintActive(true);
    restOn(button);
    QTest::qWait(150);
    EXPECT_FALSE(balloonShown());
    QTRY_VERIFY(balloonShown());
}

TEST_F(BalloonToolTipsTest, QtsOwnToolTipStaysAwayWhileBalloonsAreOn)
{
    // Longer than Qt's own wake-up delay.
    hints->setHintPauseTime(5000);
    hints->setHintActive(true);
    restOn(button);
    QTest::qWait(1200);
    EXPECT_FALSE(QToolTip::isVisible());
    EXPECT_FALSE(balloonShown());
}

TEST_F(BalloonToolTipsTest, SwitchingBalloonsOffBringsBackQtsToolTips)
{
    hints->setHintActive(true);
    hints->setHintActive(false);
    EXPECT_EQ(BalloonToolTips::instance(), nullptr);
    restOn(button);
    QTRY_VERIFY(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text(), QStringLiteral("Start the search"));
}

TEST_F(BalloonToolTipsTest, RichTextToolTipsShowAsPlainLines)
{
    button->setToolTip(QStringLiteral("<b>Start</b> the search<br>then wait"));
    hints->setHintActive(true);
    restOn(button);
    QTRY_VERIFY(balloonShown());
    TNewHint* shown = balloon();
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->text(), QStringLiteral("Start the search\rthen wait"));
}

TEST_F(BalloonToolTipsTest, TheMainWindowsComponentComesFirst)
{
    hints->setHintActive(true);
    QWidget mainWindow;
    // A new component switches balloons off and sets the delay, as any new one does.
    auto* mainHints = new TBalloonHints(&mainWindow);
    mainHints->setHintPauseTime(50);
    hints->setHintActive(false);
    hints->setHintActive(true);
    mainHints->setHintColor(QColor(0, 255, 0));

    restOn(button);
    QTRY_VERIFY(balloonShown());
    TNewHint* shown = balloon();
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->settings(), hints); // no main window known: the component that switched on

    setApplicationMainWindow(&mainWindow);
    restOn(label);
    restOn(button);
    QTRY_VERIFY(balloonShown());
    EXPECT_EQ(shown->settings(), mainHints);
    shown->setScreenCapture([](const QRect& area) { return QPixmap(area.size()); });
    const QImage image = shown->grab().toImage();
    EXPECT_EQ(image.pixelColor(image.width() / 2, 1), QColor(0, 255, 0));
}

TEST_F(BalloonToolTipsTest, BalloonsOutliveTheComponentThatSwitchedThemOn)
{
    hints->setHintActive(true);
    delete hints;
    hints = nullptr;
    ASSERT_NE(BalloonToolTips::instance(), nullptr);
    restOn(button);
    QTRY_VERIFY(balloonShown());
    TNewHint* shown = balloon();
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->settings(), nullptr);
    shown->setScreenCapture([](const QRect& area) { return QPixmap(area.size()); });
    const QImage image = shown->grab().toImage();
    EXPECT_EQ(image.pixelColor(image.width() / 2, 1), QColor(255, 255, 0));
}

TEST_F(BalloonToolTipsTest, AHandlerMaySwitchBalloonsOffWhileOneIsBeingPlaced)
{
    hints->setHintActive(true);
    hints->OnSelectHintDirection = [this](QWidget*, THintDirection&) { hints->setHintActive(false); };
    restOn(button);
    QTRY_COMPARE(BalloonToolTips::instance(), nullptr);
    QTest::qWait(50); // the old balloon goes once the placement is over
    restOn(button);
    QTRY_VERIFY(QToolTip::isVisible());
}

} // namespace
} // namespace ostrevo
