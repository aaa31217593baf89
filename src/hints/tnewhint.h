// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// The balloon window: a frameless tool tip window that shows the screen it
// covers, with a rounded body, a tip pointing at the mouse cursor, a
// dithered shadow and the hint text on top.

#include "hints/balloongeometry.h"
#include "hints/tballoonhints.h"

#include <QImage>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>

class QPixmap;

namespace ostrevo {

struct BalloonHintStyle;

class TNewHint final : public QWidget {
    Q_OBJECT
public:
    TNewHint();
    ~TNewHint() override;

    // Settings to use when the application's main window holds none.
    void setFallbackSettings(TBalloonHints* settings);

    // The rectangle plain hint text needs in the balloon's font, with a little
    // room around it, lines wrapped at maxWidth.
    QRect calcHintRect(int maxWidth, const QString& text) const;

    // Shows text in a balloon next to the cursor; rect is calcHintRect's answer.
    // Does nothing while the application's balloons are switched off.
    void activateHint(const QRect& rect, const QString& text, const QPoint& cursor);

    // Chooses the direction and the top-left corner for a hint rectangle.
    BalloonPlacement PlaceBalloon(const QRect& rect, const QPoint& cursor);

    QString text() const { return m_text; }
    THintDirection direction() const { return m_direction; }
    TBalloonHints* settings() const { return m_settings; }

    // What lies on the screen in a global rectangle; a null pixmap where the
    // platform cannot tell (offscreen, some Wayland compositors).
    using ScreenCapture = std::function<QPixmap(const QRect& area)>;
    // The default grabs the screen; tests stand in for it.
    void setScreenCapture(ScreenCapture capture);
    static QPixmap grabScreen(const QRect& area);

    // Draws the balloon over canvas, which holds what lies beneath it.
    static void paintBalloon(QImage& canvas, THintDirection direction, int radius,
                             const BalloonHintStyle& style, const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage captureScreen(const QRect& area) const;
    int lineHeight() const;
    int textWidth(const QString& text) const;

    QString m_text;
    THintDirection m_direction = THintDirection::hdUpRight;
    QPointer<TBalloonHints> m_settings;
    QPointer<TBalloonHints> m_fallback;
    ScreenCapture m_capture = &TNewHint::grabScreen;
    QImage m_background; // the screen under the balloon until it is first painted
};

} // namespace ostrevo
