// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
// Renders the windows, the result view and a balloon with sample content,
// offscreen, and checks at the scale factor the test runs at (ctest runs it
// at 1 and with QT_SCALE_FACTOR=2) that they use every pixel of the screen
// and that no text is cut. It writes the pictures, the README's among them
// (scale 1), into the build folder, or into OSTREVO_SCREENSHOT_DIR
// (scripts/screenshots.sh points it at docs/screenshots).
#include "app/startup.h"
#include "filtres/filtres.h"
#include "hints/balloonshape.h"
#include "hints/tballoonhints.h"
#include "hints/tnewhint.h"
#include "platform/eventpump.h"
#include "platform/statuspanels.h"
#include "rechercheweb/tliste.h"
#include "rechercheweb/urllist.h"
#include "resultlist/linktext.h"
#include "resultlist/listgeometry.h"
#include "resultlist/tresultlistview.h"

#include "fakepageloader.h"
#include "faketicksource.h"
#include "scriptedprompts.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QDate>
#include <QDir>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>

namespace ostrevo {
namespace {

QString screenshotDir()
{
    const QString dir = qEnvironmentVariable("OSTREVO_SCREENSHOT_DIR");
    return dir.isEmpty() ? QDir::currentPath() : dir;
}

std::string yearsFromNow(int years, const char* monthDay)
{
    return std::to_string(QDate::currentDate().year() + years) + monthDay;
}

qreal screenRatio()
{
    return QGuiApplication::primaryScreen()->devicePixelRatio();
}

// A picture drawn at the screen's resolution has detail finer than a logical
// pixel once a logical pixel is several; one drawn at scale 1 and enlarged
// shows every logical pixel as a block of one colour.
bool drawnAtFullResolution(const QImage& image)
{
    const int ratio = qRound(image.devicePixelRatio());
    if (ratio < 2) {
        return true;
    }
    for (int y = 0; y + ratio <= image.height(); y += ratio) {
        for (int x = 0; x + ratio <= image.width(); x += ratio) {
            for (int d = 1; d < ratio * ratio; ++d) {
                if (image.pixel(x + d % ratio, y + d / ratio) != image.pixel(x, y)) {
                    return true;
                }
            }
        }
    }
    return false;
}

// The texts of `window` that do not show whole, one a line: a label or button
// narrower or lower than its text, one reaching past its parent's edge, one
// under a sibling.
std::string cutTexts(QWidget& window)
{
    QStringList cut;
    for (QWidget* w : window.findChildren<QWidget*>()) {
        if (!w->isVisibleTo(&window)) {
            continue;
        }
        QString text;
        QSize needed;
        if (auto* label = qobject_cast<QLabel*>(w); label && !label->wordWrap()) {
            text = label->text();
            needed = label->sizeHint();
        } else if (qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w)) {
            text = qobject_cast<QAbstractButton*>(w)->text();
            needed = w->sizeHint();
        } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
            // Text, icon and a little room on both sides (a push button's
            // size hint asks for a minimum width besides).
            text = button->text();
            const int icon = button->icon().isNull() ? 0 : button->iconSize().width() + 4;
            needed = QSize(button->fontMetrics().horizontalAdvance(text) + icon + 8,
                           button->fontMetrics().height());
        }
        if (text.isEmpty()) {
            continue;
        }
        const QString name = w->objectName() + QStringLiteral(" \"") + text + u'"';
        if (needed.width() > w->width() || needed.height() > w->height()) {
            cut << name + QStringLiteral(" is too small");
        }
        if (!w->parentWidget()->rect().contains(w->geometry())) {
            cut << name + QStringLiteral(" reaches past its parent");
        }
        for (QObject* other : w->parentWidget()->children()) {
            auto* sibling = qobject_cast<QWidget*>(other);
            if (sibling && sibling != w && !sibling->isWindow() && sibling->isVisibleTo(&window) &&
                sibling->geometry().intersects(w->geometry())) {
                cut << name + QStringLiteral(" lies under ") + sibling->objectName();
            }
        }
    }
    return cut.join(u'\n').toStdString();
}

class Screenshots : public ::testing::Test {
protected:
    Screenshots()
        : windows(createWindows(prompts, pump, std::make_unique<test::FakePageLoader>(), WhoisServices{})),
          form(*windows.Form1)
    {
        std::ofstream(QDir(catalogueDir.path()).filePath(QStringLiteral("listex.txt")).toStdString(),
                      std::ios::binary)
            << "Bing\r\nhttps://www.bing.com/search?q=\r\n&first=\r\n1\r\n10\r\n\r\n"
               "DuckDuckGo\r\nhttps://html.duckduckgo.com/html/?q=\r\n&s=\r\n0\r\n30\r\n\r\n"
               "Mojeek\r\nhttps://www.mojeek.com/search?q=\r\n&s=\r\n1\r\n10\r\n\r\n";
        QDir::setCurrent(catalogueDir.path());
    }

    ~Screenshots() override { QDir::setCurrent(previousDir); }

    // The window as drawn, checked for resolution and cut texts; written out
    // at scale 1.
    QImage check(QWidget& window, const char* name = nullptr)
    {
        QCoreApplication::processEvents(); // lay out what showing it asked for
        const QImage image = window.grab().toImage();
        EXPECT_EQ(image.size(), window.size() * screenRatio()) << name;
        EXPECT_TRUE(drawnAtFullResolution(image)) << name;
        EXPECT_EQ(cutTexts(window), "") << name;
        if (name) {
            save(image, name);
        }
        return image;
    }

    // "main-window.png" at scale 1, "main-window@2x.png" at 2.
    static void save(const QImage& image, const char* name)
    {
        QString file = QString::fromLatin1(name);
        if (screenRatio() != 1.0) {
            file.replace(QStringLiteral(".png"), QStringLiteral("@%1x.png").arg(screenRatio()));
        }
        image.save(QDir(screenshotDir()).filePath(file));
    }

    QString previousDir = QDir::currentPath();
    QTemporaryDir catalogueDir;
    test::ScriptedPrompts prompts;
    test::FakeTickSource ticks;
    EventPump pump{ticks};
    StartupWindows windows;
    TForm1& form;
};

TEST_F(Screenshots, WindowsViewAndBalloonUseEveryPixelAndShowWholeTexts)
{
    const struct {
        const char* host;
        const char* email;
        std::string expires;
        bool checked;
    } rows[] = {
        {"gardening-tools.com", "owner@gardening-tools.com", yearsFromNow(0, "/11/05"), true},
        {"seedbank.org", "<admin@seedbank.org>", yearsFromNow(1, "/03/07"), true},
        {"greenhouse-kits.net", "sales@greenhouse-kits.net", yearsFromNow(2, "/09/13"), false},
        {"compost-club.org", "hello@compost-club.org", yearsFromNow(3, "/01/31"), false},
        {"tomatoes.com", "hostmaster@tomatoes.com", yearsFromNow(4, "/06/30"), false},
        {"rainbarrels.net", "info@rainbarrels.net", yearsFromNow(5, "/12/01"), false},
        {"allotments.com", "dns@allotments.com", yearsFromNow(8, "/02/14"), false},
    };
    ResultTable& table = form.table();
    for (const auto& r : rows) {
        ResultRow& row = table.AddRow();
        row.SetCaption(std::string("http://") + r.host);
        row.AppendSubItem(std::string("mailto:") + r.email);
        row.AppendSubItem(r.expires);
        row.SetChecked(r.checked);
    }
    // A run's status: hours left in the long time format, the row count, the host.
    form.buffer->setRange(0, 5000);
    form.Timer1Timer();
    form.StatusBar1->setPanelText(1, QStringLiteral("Domains:7"));
    form.StatusBar1->setPanelText(2, QStringLiteral("greenhouse-kits.net"));
    form.show();
    check(form, "main-window.png");

    SCOPED_TRACE("the result view: every cell's text fits its column");
    const QImage view = form.resultat->grab().toImage();
    EXPECT_TRUE(drawnAtFullResolution(view));
    const QHeaderView* header = form.resultat->header();
    const QFontMetrics metrics(form.resultat->font());
    for (int column = 0; column < table.ColumnCount(); ++column) {
        const int room = header->sectionSize(column) - 2 * listgeometry::kTextMargin -
                         (column == 0 ? listgeometry::kCheckedTextLeft : 0);
        EXPECT_LE(metrics.horizontalAdvance(QString::fromStdString(table.Column(column).Caption)),
                  header->sectionSize(column) - 4);
        for (int i = 0; i < table.RowCount(); ++i) {
            const ResultRow& row = table.Row(i);
            const std::string_view text =
                column == 0 ? std::string_view(row.Caption()) : row.SubItemOrEmpty(column - 1);
            EXPECT_LE(metrics.horizontalAdvance(QString::fromUtf8(shownCellText(text, true))), room) << text;
        }
    }

    SCOPED_TRACE("the date filter windows");
    for (QWidget* filter :
         {static_cast<QWidget*>(windows.Form2.get()), static_cast<QWidget*>(windows.Form3.get())}) {
        filter->show();
        check(*filter);
    }

    SCOPED_TRACE("the links search window's two pages");
    Tliste liste(prompts, pump, form, [] { return std::make_unique<test::FakePageLoader>(); });
    liste.show();
    check(liste);
    const QStringList welcome = liste.Memo1->toPlainText().split(u'\n');
    for (const QString& line : welcome) {
        // A line break only where a sentence ends: no line ends with a blank
        // or starts in the middle of a sentence.
        EXPECT_FALSE(line.endsWith(u' ') || (!line.isEmpty() && line.front().isLower()))
            << line.toStdString();
    }
    EXPECT_EQ(liste.Memo1->verticalScrollBar()->maximum(), 0);
    EXPECT_EQ(liste.Memo1->horizontalScrollBar()->maximum(), 0);

    liste.Button1->click();
    liste.keywords->setText(QStringLiteral("organic gardening"));
    ASSERT_GE(liste.deps->count(), 2);
    liste.deps->item(0)->setCheckState(Qt::Checked);
    liste.deps->item(2)->setCheckState(Qt::Checked);
    for (const char* url : {"http://www.gardening-tools.com/", "https://seedbank.org/shop",
                            "http://tomatoes.com/", "https://www.compost-club.org/join"}) {
        liste.urls().append(url);
    }
    liste.Timer1Timer();
    check(liste, "links-search-window.png");

    SCOPED_TRACE("a balloon");
    TNewHint balloon;
    balloon.setFallbackSettings(liste.BalloonHints1);
    balloon.setFont(liste.BalloonHints1->HintFont());
    balloon.setScreenCapture([](const QRect& area) {
        QPixmap screen(area.size() * screenRatio());
        screen.setDevicePixelRatio(screenRatio());
        screen.fill(Qt::white);
        return screen;
    });
    const QString hint =
        QStringLiteral("Search the engines for registered domain names and look up when each of "
                       "them expires");
    balloon.activateHint(balloon.calcHintRect(250, hint), hint, liste.geometry().center());
    const QImage drawn = balloon.grab().toImage();
    EXPECT_EQ(drawn.size(), balloon.size() * screenRatio());
    EXPECT_TRUE(drawnAtFullResolution(drawn));
    const PixelRect t = balloonShape({balloon.width(), balloon.height()}, balloon.direction()).textRect;
    const QRect textRect(t.left, t.top, t.width(), t.height());
    const QRect needed =
        QFontMetrics(liste.BalloonHints1->HintFont())
            .boundingRect(textRect, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, balloon.text());
    EXPECT_TRUE(textRect.contains(needed)) << needed.height() << " > " << textRect.height();
    save(drawn, "balloon.png");
}

} // namespace
} // namespace ostrevo
