// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
// Renders each page of the Preferences window offscreen, at the scale the
// test runs at (ctest runs it at 1 and with QT_SCALE_FACTOR=2), checks that
// it is drawn at the screen's resolution with no text cut, and writes the
// pictures into the build folder, or OSTREVO_SCREENSHOT_DIR (the README's).
#include "net/secretstore.h"
#include "preferences/preferenceswindow.h"

#include <QAbstractButton>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QRadioButton>
#include <QScreen>
#include <QTabWidget>

#include <gtest/gtest.h>

namespace ostrevo {
namespace {

qreal screenRatio()
{
    return QGuiApplication::primaryScreen()->devicePixelRatio();
}

// Detail finer than a logical pixel: not a picture drawn at scale 1 and enlarged.
bool drawnAtFullResolution(const QImage& image)
{
    const int ratio = qRound(image.devicePixelRatio());
    for (int y = 0; ratio >= 2 && y + ratio <= image.height(); y += ratio) {
        for (int x = 0; x + ratio <= image.width(); x += ratio) {
            for (int d = 1; d < ratio * ratio; ++d) {
                if (image.pixel(x + d % ratio, y + d / ratio) != image.pixel(x, y)) {
                    return true;
                }
            }
        }
    }
    return ratio < 2;
}

// Labels and buttons narrower than their text, or reaching past their parent.
std::string cutTexts(QWidget& window)
{
    QStringList cut;
    for (QWidget* w : window.findChildren<QWidget*>()) {
        if (!w->isVisibleTo(&window)) {
            continue;
        }
        QString text;
        int needed = 0;
        if (auto* label = qobject_cast<QLabel*>(w)) {
            text = label->text();
            needed = label->wordWrap() ? 0 : label->sizeHint().width();
        } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
            text = button->text();
            needed = qobject_cast<QRadioButton*>(w) ? w->sizeHint().width()
                                                    : button->fontMetrics().horizontalAdvance(text) + 8;
        }
        if (text.isEmpty()) {
            continue;
        }
        if (needed > w->width()) {
            cut << w->objectName() + QStringLiteral(" \"") + text + QStringLiteral("\" is too small");
        }
        if (!w->parentWidget()->rect().contains(w->geometry())) {
            cut << w->objectName() + QStringLiteral(" \"") + text +
                       QStringLiteral("\" reaches past its parent");
        }
    }
    return cut.join(u'\n').toStdString();
}

TEST(PreferencesScreenshot, EveryPageIsDrawnWholeAtTheScreensResolution)
{
    MemorySecretStore secrets;
    PreferencesWindow window({&secrets});
    window.show();
    const char* names[] = {"preferences-search.png", "preferences-lookup.png", "preferences-network.png"};
    for (int page = 0; page < window.pages()->count(); ++page) {
        window.pages()->setCurrentIndex(page);
        QCoreApplication::processEvents();
        const QImage image = window.grab().toImage();
        EXPECT_EQ(image.size(), window.size() * screenRatio()) << names[page];
        EXPECT_TRUE(drawnAtFullResolution(image)) << names[page];
        EXPECT_EQ(cutTexts(window), "") << names[page];
        QString file = QString::fromLatin1(names[page]);
        if (screenRatio() != 1.0) {
            file.replace(QStringLiteral(".png"), QStringLiteral("@%1x.png").arg(screenRatio()));
        }
        const QString dir = qEnvironmentVariable("OSTREVO_SCREENSHOT_DIR");
        // The README shows the Network page.
        if (dir.isEmpty() || (page == 2 && screenRatio() == 1.0)) {
            image.save(QDir(dir.isEmpty() ? QDir::currentPath() : dir).filePath(file));
        }
    }
}

} // namespace
} // namespace ostrevo
