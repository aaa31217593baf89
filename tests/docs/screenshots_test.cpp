// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
// Renders the windows, the result view, a date filter window and a balloon
// with sample content, offscreen, and checks at the scale factor the test
// runs at (ctest runs it at 1, with QT_SCALE_FACTOR=2, and with a dark
// palette when OSTREVO_SCREENSHOT_PALETTE=dark) that they use every pixel of
// the screen, that icons are drawn for it, that no widget or text is cut and
// that the table's texts are readable. It writes the pictures, the README's
// among them (scale 1), into the build folder, or into OSTREVO_SCREENSHOT_DIR
// (scripts/screenshots.sh points it at docs/screenshots).
#include "app/startup.h"
#include "filtres/filtres.h"
#include "hints/balloonshape.h"
#include "hints/tballoonhints.h"
#include "hints/tnewhint.h"
#include "platform/eventpump.h"
#include "platform/qtcolour.h"
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
#include <QAbstractScrollArea>
#include <QApplication>
#include <QCheckBox>
#include <QDate>
#include <QDir>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QToolBar>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>

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

bool darkPalette()
{
    return qEnvironmentVariable("OSTREVO_SCREENSHOT_PALETTE") == QStringLiteral("dark");
}

// A dark desktop's palette, as the platform theme would hand it over.
bool useDarkPaletteIfAsked()
{
    if (!darkPalette()) {
        return false;
    }
    QPalette dark;
    const QColor window(45, 45, 48);
    const QColor light(232, 232, 232);
    for (const auto& [role, colour] : std::initializer_list<std::pair<QPalette::ColorRole, QColor>>{
             {QPalette::Window, window},
             {QPalette::WindowText, light},
             {QPalette::Base, QColor(30, 30, 30)},
             {QPalette::AlternateBase, QColor(40, 40, 40)},
             {QPalette::Text, light},
             {QPalette::Button, window},
             {QPalette::ButtonText, light},
             {QPalette::Light, QColor(80, 80, 84)},
             {QPalette::Midlight, QColor(64, 64, 68)},
             {QPalette::Mid, QColor(38, 38, 40)},
             {QPalette::Dark, QColor(24, 24, 26)},
             {QPalette::Shadow, Qt::black},
             {QPalette::Highlight, QColor(42, 100, 180)},
             {QPalette::HighlightedText, Qt::white},
             {QPalette::ToolTipBase, window},
             {QPalette::ToolTipText, light},
             {QPalette::PlaceholderText, QColor(150, 150, 150)}}) {
        dark.setColor(role, colour);
    }
    for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text}) {
        dark.setColor(QPalette::Disabled, role, QColor(128, 128, 128));
    }
    QApplication::setPalette(dark);
    return true;
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

// Widgets scrolled inside a view may lie outside it.
bool insideScrolledArea(const QWidget* w)
{
    for (const QWidget* p = w->parentWidget(); p; p = p->parentWidget()) {
        const auto* area = qobject_cast<const QAbstractScrollArea*>(p->parentWidget());
        if (area && area->viewport() == p) {
            return true;
        }
    }
    return false;
}

// What of `window` does not show whole, one a line: a window smaller than
// its layout needs; a widget reaching past its parent's edge; a toolbar
// that hides buttons behind its extension arrow; a label, button or group
// box narrower or lower than its text; a text under a sibling.
std::string cutTexts(QWidget& window)
{
    QStringList cut;
    if (window.layout() && !window.layout()->isEmpty()) {
        const QSize needed = window.minimumSizeHint();
        if (needed.width() > window.width() || needed.height() > window.height()) {
            cut << window.objectName() + QStringLiteral(" is smaller than its layout needs");
        }
    }
    for (QWidget* w : window.findChildren<QWidget*>()) {
        if (!w->isVisibleTo(&window) || w->isWindow() || insideScrolledArea(w)) {
            continue;
        }
        const QString widgetName =
            w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : w->objectName();
        if (!w->parentWidget()->rect().contains(w->geometry())) {
            cut << widgetName + QStringLiteral(" reaches past its parent");
        }
        if (qobject_cast<QToolBar*>(w->parentWidget()) &&
            w->objectName() == QStringLiteral("qt_toolbar_ext_button")) {
            cut << w->parentWidget()->objectName() + QStringLiteral(" hides buttons");
        }
        QString text;
        QSize needed;
        if (auto* label = qobject_cast<QLabel*>(w)) {
            text = label->text();
            needed = label->wordWrap() ? QSize(0, label->heightForWidth(label->width())) : label->sizeHint();
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
        } else if (auto* box = qobject_cast<QGroupBox*>(w)) {
            text = box->title();
            needed = QSize(box->fontMetrics().horizontalAdvance(text) + 8, box->fontMetrics().height());
        }
        if (text.isEmpty()) {
            continue;
        }
        const QString name = widgetName + QStringLiteral(" \"") + text + u'"';
        if (needed.width() > w->width() || needed.height() > w->height()) {
            cut << name + QStringLiteral(" is too small");
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

// The contrast of what stands out most from the commonest colour, which is
// taken as the background.
double strongestContrast(const QImage& image)
{
    std::map<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            ++counts[image.pixel(x, y)];
        }
    }
    if (counts.empty()) {
        return 1;
    }
    const QRgb commonest = std::max_element(counts.begin(), counts.end(), [](auto& a, auto& b) {
                               return a.second < b.second;
                           })->first;
    double best = 1;
    for (const auto& [pixel, count] : counts) {
        best = std::max(best, contrastRatio(toRgb(QColor(pixel)), toRgb(QColor(commonest))));
    }
    return best;
}

// The enabled labels, buttons and text fields of `window` whose text does not stand out
// from their background by 4.5 to 1, as drawn in `shot`, the window's picture.
std::string unreadableTexts(QWidget& window, const QImage& shot)
{
    QStringList unreadable;
    for (QWidget* w : window.findChildren<QWidget*>()) {
        const auto* label = qobject_cast<QLabel*>(w);
        const auto* button = qobject_cast<QAbstractButton*>(w);
        const auto* edit = qobject_cast<QLineEdit*>(w);
        const QString text = label    ? label->text()
                             : button ? button->text()
                             : edit   ? edit->text()
                                      : QString();
        if (text.isEmpty()) {
            continue;
        }
        if (!w->isVisibleTo(&window) || !w->isEnabled() || w->size().isEmpty()) {
            continue;
        }
        const qreal ratio = shot.devicePixelRatio();
        // Inside a field's frame.
        const int frame = edit ? 3 : 0;
        const QRect area =
            QRect(w->mapTo(&window, QPoint(0, 0)), w->size()).adjusted(frame, frame, -frame, -frame);
        const QRect pixels = QRectF(QPointF(area.topLeft()) * ratio, QSizeF(area.size()) * ratio).toRect();
        const double contrast = strongestContrast(shot.copy(pixels).convertToFormat(QImage::Format_RGB32));
        if (contrast < kReadableContrast) {
            unreadable << QStringLiteral("%1 (%2:1)").arg(w->objectName()).arg(contrast, 0, 'f', 1);
        }
    }
    return unreadable.join(u' ').toStdString();
}

// The buttons whose icons are not drawn anew at the screen's resolution
// (a bitmap enlarged), or not at all.
std::string blurredIcons(QWidget& window)
{
    QStringList blurred;
    for (QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
        if (button->icon().isNull() || !button->isVisibleTo(&window)) {
            continue;
        }
        const QImage icon = button->icon().pixmap(button->iconSize(), screenRatio()).toImage();
        if (icon.isNull() || icon.width() < qRound(button->iconSize().width() * screenRatio()) ||
            !drawnAtFullResolution(icon)) {
            blurred << button->objectName();
        }
    }
    return blurred.join(u' ').toStdString();
}

// The cells of the result view whose text does not stand out from the
// cell's background by 4.5 to 1: the background taken at the cell's right
// end, the text as its pixel farthest from it.
std::string unreadableCells(TResultListView& view)
{
    const QImage image = view.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const qreal ratio = image.devicePixelRatio();
    QStringList unreadable;
    const int rows = view.table().RowCount();
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < view.table().ColumnCount(); ++column) {
            const QRect cell = view.visualRect(view.model()->index(row, column));
            const QRect pixels =
                QRectF(QPointF(cell.topLeft()) * ratio, QSizeF(cell.size()) * ratio).toRect();
            const QRect text =
                pixels.adjusted(qRound((column == 0 ? 20 : 2) * ratio), 1, -qRound(4 * ratio), -1);
            const Rgb background = toRgb(image.pixelColor(pixels.right() - 1, pixels.center().y()));
            double best = 1;
            for (int y = text.top(); y <= text.bottom(); ++y) {
                for (int x = text.left(); x <= text.right(); ++x) {
                    best = std::max(best, contrastRatio(toRgb(image.pixelColor(x, y)), background));
                }
            }
            if (best < kReadableContrast) {
                unreadable << QStringLiteral("row %1 column %2: %3").arg(row).arg(column).arg(best);
            }
        }
    }
    return unreadable.join(u'\n').toStdString();
}

class Screenshots : public ::testing::Test {
protected:
    Screenshots()
        : dark(useDarkPaletteIfAsked()),
          windows(createWindows(prompts, pump, std::make_unique<test::FakePageLoader>(), WhoisServices{})),
          form(*windows.Form1)
    {
        std::ofstream(QDir(catalogueDir.path()).filePath(QStringLiteral("listex.txt")).toStdString(),
                      std::ios::binary)
            << "Bing\r\nhttps://www.bing.com/search?q=\r\n&first=\r\n1\r\n10\r\n\r\n"
               "DuckDuckGo\r\nhttps://html.duckduckgo.com/html/?q=\r\n&s=\r\n0\r\n30\r\n\r\n"
               "Mojeek\r\nhttps://www.mojeek.com/search?q=\r\n&s=\r\n1\r\n10\r\n\r\n";
        QDir::setCurrent(catalogueDir.path());
    }

    ~Screenshots() override
    {
        QDir::setCurrent(previousDir);
        QApplication::setPalette(QPalette());
    }

    // The window as drawn, checked for resolution and cut texts; written out
    // at scale 1.
    QImage check(QWidget& window, const char* name = nullptr)
    {
        QCoreApplication::processEvents(); // lay out what showing it asked for
        const QImage image = window.grab().toImage();
        EXPECT_EQ(image.size(), window.size() * screenRatio()) << name;
        EXPECT_TRUE(drawnAtFullResolution(image)) << name;
        EXPECT_EQ(cutTexts(window), "") << name;
        EXPECT_EQ(blurredIcons(window), "") << name;
        EXPECT_EQ(unreadableTexts(window, image), "") << name;
        if (name) {
            save(image, name);
        }
        return image;
    }

    // "main-window.png" at scale 1, "main-window@2x.png" at 2,
    // "main-window-dark.png" with the dark palette.
    static void save(const QImage& image, const char* name)
    {
        QString file = QString::fromLatin1(name);
        if (darkPalette()) {
            file.replace(QStringLiteral(".png"), QStringLiteral("-dark.png"));
        }
        if (screenRatio() != 1.0) {
            file.replace(QStringLiteral(".png"), QStringLiteral("@%1x.png").arg(screenRatio()));
        }
        image.save(QDir(screenshotDir()).filePath(file));
    }

    bool dark;
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

    SCOPED_TRACE("the result view: every cell's text fits its column and stands out");
    const QImage view = form.resultat->grab().toImage();
    EXPECT_TRUE(drawnAtFullResolution(view));
    EXPECT_EQ(unreadableCells(*form.resultat), "");
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
        check(*filter, filter == windows.Form2.get() ? "date-filter.png" : nullptr);
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
    if (!darkPalette()) {
        save(drawn, "balloon.png"); // its colours are its own, whatever the desktop's
    }
}

} // namespace
} // namespace ostrevo
