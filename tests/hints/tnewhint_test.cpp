// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "hints/tnewhint.h"

#include "hints/sharedhintsettings.h"
#include "hints/tballoonhints.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>

namespace ostrevo {
namespace {

using enum THintDirection;

const QColor kScreenColour(0, 128, 255);
const QColor kYellow(255, 255, 0);
const QColor kPurple(128, 0, 128);

TNewHint::ScreenCapture solidScreen(const QColor& colour)
{
    return [colour](const QRect& area) {
        QPixmap shot(area.size());
        shot.fill(colour);
        return shot;
    };
}

QString words(int count)
{
    static const QStringList pool = {
        QStringLiteral("search"), QStringLiteral("the"),        QStringLiteral("engines"),
        QStringLiteral("for"),    QStringLiteral("registered"), QStringLiteral("domain"),
        QStringLiteral("names"),  QStringLiteral("and"),        QStringLiteral("expiry")};
    QStringList out;
    for (int i = 0; i < count; ++i) {
        out << pool[i % pool.size()];
    }
    return out.join(QLatin1Char(' '));
}

bool isDark(QRgb pixel)
{
    return qAlpha(pixel) == 255 && qRed(pixel) + qGreen(pixel) + qBlue(pixel) < 300;
}

class TNewHintTest : public ::testing::Test {
protected:
    TNewHintTest()
    {
        hints = new TBalloonHints(&owner);
        // The balloon under test stands alone: the application's tool tips stay Qt's.
        sharedHintSettings().active = true;
        balloon.setFallbackSettings(hints);
        balloon.setFont(hints->HintFont());
        balloon.setScreenCapture(solidScreen(kScreenColour));
    }
    ~TNewHintTest() override { sharedHintSettings() = SharedHintSettings(); }

    QPoint centre() const { return screen().center(); }
    static QRect screen() { return QGuiApplication::primaryScreen()->geometry(); }

    void show(const QString& text, const QPoint& cursor)
    {
        balloon.activateHint(balloon.calcHintRect(screen().width(), text), text, cursor);
    }

    QImage render(const QString& text, THintDirection direction)
    {
        hints->setHintDirection(direction);
        show(text, centre());
        EXPECT_EQ(balloon.direction(), direction);
        return balloon.grab().toImage().convertToFormat(QImage::Format_ARGB32);
    }

    QWidget owner;
    TBalloonHints* hints = nullptr;
    TNewHint balloon;
};

TEST_F(TNewHintTest, AShortHintKeepsItsLinesAndGetsTheMargins)
{
    const QString text = QStringLiteral("Start the search\rthen wait");
    const QRect rect = balloon.calcHintRect(screen().width(), text);
    ASSERT_LE(rect.width(), 250);

    balloon.activateHint(rect, text, centre());
    EXPECT_TRUE(balloon.isVisible());
    EXPECT_EQ(balloon.text(), text);
    EXPECT_EQ(balloon.size(), rect.size() + QSize(16, 20));

    hints->setHintDirection(hdDownLeft);
    balloon.activateHint(rect, text, centre());
    EXPECT_EQ(balloon.text(), text);
    EXPECT_EQ(balloon.size(), rect.size() + QSize(16, 29));
}

TEST_F(TNewHintTest, ALongHintWrapsIntoLinesOfAtMost244Pixels)
{
    const QString text = words(45);
    show(text, centre());

    const QStringList lines = balloon.text().split(QLatin1Char('\r'));
    ASSERT_GT(lines.size(), 2);
    const QFontMetrics metrics(hints->HintFont());
    int widest = 0;
    for (const QString& line : lines) {
        EXPECT_LE(metrics.horizontalAdvance(line), 244) << line.toStdString();
        widest = std::max(widest, metrics.horizontalAdvance(line));
    }
    EXPECT_EQ(lines.join(QLatin1Char(' ')), text);
    // Widest line + 6, + 6, then the balloon's 16.
    EXPECT_EQ(balloon.width(), widest + 12 + 16);
    // One line of the font per line of text, on the 20-pixel margin.
    EXPECT_GE(balloon.height(), lines.size() * metrics.height() + 20);
}

TEST_F(TNewHintTest, AWordWiderThanTheBalloonGetsALineOfItsOwn)
{
    const QString wide(80, QLatin1Char('w'));
    const QFontMetrics metrics(hints->HintFont());
    ASSERT_GT(metrics.horizontalAdvance(wide), 300);

    show(QStringLiteral("see ") + wide + QStringLiteral(" for the rest"), centre());
    const QStringList lines = balloon.text().split(QLatin1Char('\r'));
    EXPECT_EQ(lines, (QStringList{QStringLiteral("see"), wide, QStringLiteral("for the rest")}));
    EXPECT_EQ(balloon.width(), metrics.horizontalAdvance(wide) + 12 + 16);
}

TEST_F(TNewHintTest, AWrapWidthAbove300IsCutAtActivation)
{
    sharedHintSettings().wrapWidth = 600;
    show(words(60), centre());
    EXPECT_EQ(sharedHintSettings().wrapWidth, 300);
    const QFontMetrics metrics(hints->HintFont());
    for (const QString& line : balloon.text().split(QLatin1Char('\r'))) {
        EXPECT_LE(metrics.horizontalAdvance(line), 294);
    }
}

TEST_F(TNewHintTest, NothingShowsWhileBalloonsAreOff)
{
    sharedHintSettings().active = false;
    show(QStringLiteral("Start the search"), centre());
    EXPECT_FALSE(balloon.isVisible());
}

TEST_F(TNewHintTest, TheBalloonTurnsAwayFromTheScreenEdges)
{
    const QString text = QStringLiteral("Start the search");
    const QRect s = screen();

    show(text, QPoint(s.right() - 10, s.center().y()));
    EXPECT_EQ(balloon.direction(), hdUpLeft);
    // Up-left: the tip's point, six pixels in from the right edge, is at the cursor.
    EXPECT_EQ(balloon.geometry().right(), s.right() - 10 + 5);
    EXPECT_EQ(balloon.geometry().bottom(), s.center().y() - 3);

    show(text, QPoint(s.center().x(), s.top() + 5));
    EXPECT_EQ(balloon.direction(), hdDownRight);
    EXPECT_EQ(balloon.pos(), QPoint(s.center().x(), s.top() + 11));

    hints->setHintDirection(hdDownRight);
    show(text, QPoint(s.right() - 10, s.bottom() - 5));
    EXPECT_EQ(balloon.direction(), hdUpLeft);
    EXPECT_TRUE(s.contains(balloon.geometry()));
    EXPECT_EQ(hints->HintDirection(), hdDownRight);
}

TEST_F(TNewHintTest, ADirectionHandlerChangesTheDirectionOfOneHintOnly)
{
    owner.setGeometry(0, 0, 400, 300);
    auto* button = new QPushButton(QStringLiteral("Start"), &owner);
    button->setGeometry(100, 100, 80, 25);
    owner.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&owner));

    QWidget* seen = nullptr;
    hints->OnSelectHintDirection = [&seen](QWidget* control, THintDirection& direction) {
        seen = control;
        direction = hdDownLeft;
    };
    show(QStringLiteral("Start the search"), button->mapToGlobal(QPoint(40, 12)));
    EXPECT_EQ(balloon.direction(), hdDownLeft);
    EXPECT_EQ(seen, button);
    EXPECT_EQ(hints->HintDirection(), hdUpRight);

    hints->OnSelectHintDirection = nullptr;
    show(QStringLiteral("Start the search"), button->mapToGlobal(QPoint(40, 12)));
    EXPECT_EQ(balloon.direction(), hdUpRight);
}

TEST_F(TNewHintTest, AnUpBalloonHasItsBodyOnTopAndItsTipBelow)
{
    const QImage image = render(QStringLiteral("Start the search"), hdUpRight);
    const int w = image.width();
    const int h = image.height();
    EXPECT_EQ(image.pixelColor(w / 2, 0), QColor(Qt::black));      // the body's outline
    EXPECT_EQ(image.pixelColor(w / 2, h - 15), QColor(Qt::black)); // its bottom edge
    EXPECT_EQ(image.pixelColor(w / 2, 1), kYellow);                // inside it
    EXPECT_EQ(image.pixelColor(8, h - 8), kYellow);                // inside the tip
    EXPECT_EQ(image.pixelColor(15, h - 15), kYellow);              // where the tip joins the body
    EXPECT_EQ(image.pixelColor(w - 2, 2), kScreenColour);          // the screen beside it
    EXPECT_EQ(image.pixelColor(w / 2, h - 2), kScreenColour);      // and below it
}

TEST_F(TNewHintTest, ADownBalloonHasBodyAndTextFifteenPixelsLower)
{
    const QString text = QStringLiteral("Start the search");
    const QImage up = render(text, hdUpRight);
    const QImage down = render(text, hdDownRight);
    ASSERT_EQ(down.height(), up.height() + 9);

    const auto firstRow = [](const QImage& image, int from, int to, int left, int right, auto test) {
        for (int y = from; y < to; ++y) {
            for (int x = left; x < right; ++x) {
                if (test(image.pixel(x, y))) {
                    return y;
                }
            }
        }
        return -1;
    };
    const auto black = [](QRgb p) { return p == qRgb(0, 0, 0); };
    const int middle = up.width() / 2;
    EXPECT_EQ(firstRow(up, 0, up.height(), middle, middle + 1, black), 0);
    EXPECT_EQ(firstRow(down, 0, down.height(), middle, middle + 1, black), 15);
    EXPECT_EQ(down.pixelColor(middle, 5), kScreenColour);
    EXPECT_EQ(down.pixelColor(8, 8), kYellow); // inside the tip, now at the top

    // The text: the first dark pixel inside the body, away from its outline.
    const int textUp = firstRow(up, 1, up.height() - 15, 8, up.width() - 12, isDark);
    const int textDown = firstRow(down, 16, down.height() - 9, 8, down.width() - 12, isDark);
    ASSERT_GT(textUp, 0);
    EXPECT_EQ(textDown, textUp + 15);
}

TEST_F(TNewHintTest, OnlyUpBalloonsCastAShadowUnderTheTip)
{
    const QString text = QStringLiteral("Start the search");
    const auto shadowPixels = [](const QImage& image, int fromRow, int toRow) {
        int count = 0;
        for (int y = fromRow; y < toRow; ++y) {
            for (int x = 0; x < image.width(); ++x) {
                count += image.pixelColor(x, y) == kPurple;
            }
        }
        return count;
    };
    for (const THintDirection direction : {hdUpRight, hdUpLeft}) {
        const QImage image = render(text, direction);
        // Below the body's shadow only the tip's can show.
        EXPECT_GT(shadowPixels(image, image.height() - 8, image.height()), 0);
    }
    for (const THintDirection direction : {hdDownRight, hdDownLeft}) {
        const QImage image = render(text, direction);
        // Beside the tip, above the body.
        EXPECT_EQ(shadowPixels(image, 0, 15), 0);
        EXPECT_GT(shadowPixels(image, 15, image.height()), 0);
    }
}

TEST_F(TNewHintTest, TheShadowShadesEveryOtherPixel)
{
    for (const THintDirection direction : {hdUpRight, hdDownLeft}) {
        const QImage image = render(QStringLiteral("Start the search\rthen wait\rfor the list"), direction);
        const int top = isUpDirection(direction) ? 20 : 35;
        const int bottom = image.height() - 20;
        ASSERT_LT(top, bottom);
        // The right strip, right of the body: shadow or screen, in a checkerboard.
        for (int y = top; y < bottom; ++y) {
            for (int x = image.width() - 6; x < image.width() - 1; ++x) {
                EXPECT_EQ(image.pixelColor(x, y), (x + y) % 2 == 0 ? kPurple : kScreenColour)
                    << x << "," << y;
            }
        }
    }
}

TEST(TNewHintAtScale2, KeepsItsLookInItsOwnPixelsAndDrawsTheTextFiner)
{
    // Every balloon pixel is two by two on the screen: the outline two wide,
    // the shadow's checkerboard in blocks of four; the text in finer detail.
    const QSize size(200, 60);
    const auto paint = [&](qreal ratio) {
        QImage canvas(size * ratio, QImage::Format_ARGB32_Premultiplied);
        canvas.setDevicePixelRatio(ratio);
        canvas.fill(kScreenColour);
        TNewHint::paintBalloon(canvas, hdUpRight, 18, BalloonHintStyle(), QStringLiteral("Start the search"));
        return canvas.convertToFormat(QImage::Format_ARGB32);
    };
    const QImage one = paint(1);
    const QImage two = paint(2);
    bool finerSomewhere = false;
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x) {
            const QRgb block[] = {two.pixel(2 * x, 2 * y), two.pixel(2 * x + 1, 2 * y),
                                  two.pixel(2 * x, 2 * y + 1), two.pixel(2 * x + 1, 2 * y + 1)};
            const bool uniform =
                std::all_of(std::begin(block), std::end(block), [&](QRgb p) { return p == block[0]; });
            // The shadow's right strip and the outline's top and bottom middle.
            const bool shadowStrip = x >= size.width() - 6 && y >= 20 && y < size.height() - 20;
            const bool outline = x == size.width() / 2 && one.pixelColor(x, y) == QColor(Qt::black);
            if (shadowStrip || outline) {
                EXPECT_TRUE(uniform && block[0] == one.pixel(x, y)) << x << "," << y;
            }
            finerSomewhere = finerSomewhere || !uniform;
        }
    }
    EXPECT_TRUE(finerSomewhere);
}

TEST_F(TNewHintTest, WithoutAScreenCaptureTheScreenShowsThroughTheWindow)
{
    balloon.setScreenCapture([](const QRect&) { return QPixmap(); });
    const QImage image = render(QStringLiteral("Start the search"), hdUpRight);
    EXPECT_TRUE(balloon.testAttribute(Qt::WA_TranslucentBackground));
    EXPECT_EQ(qAlpha(image.pixel(image.width() - 2, 2)), 0);
    EXPECT_EQ(image.pixelColor(image.width() / 2, 1), kYellow);
    // The shadow's gaps are see-through too.
    const int y = 20;
    const int x = image.width() - 3;
    EXPECT_EQ(image.pixelColor(x + ((x + y) % 2), y), kPurple);
    EXPECT_EQ(qAlpha(image.pixel(x + 1 - ((x + y) % 2), y)), 0);
}

TEST_F(TNewHintTest, ALaterPaintingCapturesTheScreenAgain)
{
    int captures = 0;
    balloon.setScreenCapture([&captures](const QRect& area) {
        QPixmap shot(area.size());
        shot.fill(captures++ == 0 ? kScreenColour : QColor(Qt::green));
        return shot;
    });
    show(QStringLiteral("Start the search"), centre());
    const QImage first = balloon.grab().toImage();
    const QImage second = balloon.grab().toImage();
    EXPECT_EQ(first.pixelColor(first.width() - 2, 2), kScreenColour);
    EXPECT_EQ(second.pixelColor(second.width() - 2, 2), QColor(Qt::green));
    EXPECT_EQ(second.pixelColor(second.width() / 2, 1), kYellow);
    EXPECT_EQ(captures, 2);
}

TEST_F(TNewHintTest, TextsLongerThan255CharactersAreDrawnWholeInsideTheBody)
{
    const QString text = words(80);
    ASSERT_GT(text.size(), 400);
    // Up-left: the tip is at the right, out of the way of the lines' starts.
    const QImage image = render(text, hdUpLeft);
    EXPECT_EQ(balloon.text().split(QLatin1Char('\r')).join(QLatin1Char(' ')), text);

    // The body is tall enough for every line as the text is laid out.
    QString laidOut = balloon.text();
    laidOut.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    const QFontMetrics metrics(hints->HintFont());
    const int needed = metrics.boundingRect(QRect(0, 0, 1000, 0), Qt::TextWordWrap, laidOut).height();
    EXPECT_GE(image.height() - 20, needed);

    // And the last line is drawn.
    const auto isText = [](QRgb p) { return qRed(p) + qGreen(p) + qBlue(p) < 150; };
    const int bodyEdge = image.height() - 15;
    int lowestText = -1;
    for (int y = 1; y < bodyEdge; ++y) {
        for (int x = 8; x < image.width() - 40; ++x) {
            if (isText(image.pixel(x, y))) {
                lowestText = y;
            }
        }
    }
    const int lines = static_cast<int>(balloon.text().count(QLatin1Char('\r'))) + 1;
    EXPECT_GT(lowestText, 3 + (lines - 1) * metrics.height());
}

TEST_F(TNewHintTest, ColoursAndFontComeFromTheSettings)
{
    hints->setHintColor(QColor(0, 255, 0));
    hints->setHintShadowColor(QColor(255, 0, 0));
    hints->setHintFontColor(QColor(0, 0, 255));
    const QImage image = render(QStringLiteral("WWWW WWWW"), hdUpRight);
    EXPECT_EQ(image.pixelColor(image.width() / 2, 1), QColor(0, 255, 0));
    const int y = 20;
    const int x = image.width() - 3 + ((image.width() - 3 + y) % 2);
    EXPECT_EQ(image.pixelColor(x, y), QColor(255, 0, 0));
    bool blueText = false;
    for (int yy = 3; yy < image.height() - 15; ++yy) {
        for (int xx = 8; xx < image.width() - 8; ++xx) {
            const QColor c = image.pixelColor(xx, yy);
            blueText = blueText || (c.blue() > 200 && c.red() < 60 && c.green() < 60);
        }
    }
    EXPECT_TRUE(blueText);
}

} // namespace
} // namespace ostrevo
