// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// The balloon hint settings a window carries: while one of them is active,
// the application's tool tips are shown in rounded balloons with a tip and a
// shadow instead of Qt's plain tool tips.

#include "hints/balloongeometry.h"

#include <QColor>
#include <QFont>
#include <QObject>
#include <QString>

#include <functional>

class QWidget;

namespace ostrevo {

// What a balloon is drawn with.
struct BalloonHintStyle {
    THintDirection direction = THintDirection::hdUpRight;
    QColor color{255, 255, 0};
    QColor shadowColor{128, 0, 128};
    QFont font = defaultFont();
    QColor fontColor{0, 0, 0};

    // Arial (or the system's metric twin of it), 8 points, italic.
    static QFont defaultFont();
};

class TBalloonHints final : public QObject {
    Q_OBJECT
public:
    // May change the direction of the one hint about to be shown over hintControl.
    using TOnSelectHintDirection = std::function<void(QWidget* hintControl, THintDirection& hintDirection)>;

    // Also makes its values the application's: wrap width, radius, hint delay,
    // and balloons off until HintActive is switched on.
    explicit TBalloonHints(QObject* owner);
    ~TBalloonHints() override;

    // Credits only; nothing reads it.
    QString About() const { return {}; }

    THintDirection HintDirection() const { return m_style.direction; }
    void setHintDirection(THintDirection direction) { m_style.direction = direction; }
    QColor HintColor() const { return m_style.color; }
    void setHintColor(const QColor& color) { m_style.color = color; }
    QColor HintShadowColor() const { return m_style.shadowColor; }
    void setHintShadowColor(const QColor& color) { m_style.shadowColor = color; }

    // Shared by every balloon of the application.
    int HintRadius() const { return m_radius; }
    void setHintRadius(int radius);
    // Shared by every balloon of the application; at most 300.
    int HintWidth() const { return m_width; }
    void setHintWidth(int width);

    bool HintActive() const { return m_active; }
    void setHintActive(bool active);

    QFont HintFont() const { return m_style.font; }
    void setHintFont(const QFont& font);
    QColor HintFontColor() const { return m_style.fontColor; }
    void setHintFontColor(const QColor& color);

    // Milliseconds the mouse rests on a control before its hint shows.
    int HintPauseTime() const { return m_pauseTime; }
    void setHintPauseTime(int milliseconds);

    TOnSelectHintDirection OnSelectHintDirection;

    const BalloonHintStyle& style() const { return m_style; }

    // Puts balloons or Qt's tool tips in charge of the application's hints,
    // as HintActive says, and gives the balloon this font.
    void ApplyHintClass();

private:
    BalloonHintStyle m_style;
    int m_radius = 18;
    int m_width = 250;
    bool m_active = false;
    int m_pauseTime = 1000;
};

// The window whose settings components balloons look at first.
void setApplicationMainWindow(QWidget* mainWindow);
QWidget* applicationMainWindow();

// The first settings component the object owns directly, or none.
TBalloonHints* FindBalloonHints(const QObject* owner);
// The first one the application's main window owns, or none.
TBalloonHints* FindBalloonHints();

} // namespace ostrevo
