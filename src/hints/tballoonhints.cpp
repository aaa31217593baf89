// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "hints/tballoonhints.h"

#include "hints/balloontooltips.h"
#include "hints/sharedhintsettings.h"
#include "hints/tnewhint.h"

#include <QToolTip>
#include <QWidget>

namespace ostrevo {

QFont BalloonHintStyle::defaultFont()
{
    // Fontconfig maps Arial to its metric twin (Liberation Sans) where Arial
    // itself is missing; naming the twin too keeps the metrics without it.
    QFont font;
    font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
    font.setPointSize(8);
    font.setItalic(true);
    return font;
}

TBalloonHints::TBalloonHints(QObject* owner) : QObject(owner)
{
    SharedHintSettings& shared = sharedHintSettings();
    shared.wrapWidth = m_width;
    shared.radius = m_radius;
    shared.active = m_active;
    setApplicationHintPause(m_pauseTime);
    ApplyHintClass();
}

TBalloonHints::~TBalloonHints() = default;

void TBalloonHints::setHintRadius(int radius)
{
    m_radius = radius;
    SharedHintSettings& shared = sharedHintSettings();
    if (radius != shared.radius) {
        shared.radius = radius;
    }
}

void TBalloonHints::setHintWidth(int width)
{
    if (width == m_width) {
        return;
    }
    m_width = limitHintWrapWidth(width);
    sharedHintSettings().wrapWidth = m_width;
}

void TBalloonHints::setHintActive(bool active)
{
    if (active == m_active) {
        return;
    }
    m_active = active;
    sharedHintSettings().active = active;
    ApplyHintClass();
}

void TBalloonHints::setHintFont(const QFont& font)
{
    m_style.font = font;
    ApplyHintClass();
}

void TBalloonHints::setHintFontColor(const QColor& color)
{
    m_style.fontColor = color;
    ApplyHintClass();
}

void TBalloonHints::setHintPauseTime(int milliseconds)
{
    if (milliseconds == m_pauseTime) {
        return;
    }
    m_pauseTime = milliseconds;
    setApplicationHintPause(milliseconds);
}

void TBalloonHints::ApplyHintClass()
{
    // A hint on show belongs to the old kind of window: take it away.
    QToolTip::hideText();
    if (m_active) {
        BalloonToolTips::install(this);
    } else {
        BalloonToolTips::uninstall();
    }
    if (BalloonToolTips* balloons = BalloonToolTips::instance()) {
        balloons->hintWindow()->setFont(m_style.font);
    }
}

namespace {

QPointer<QWidget>& mainWindowSlot()
{
    static QPointer<QWidget> mainWindow;
    return mainWindow;
}

} // namespace

void setApplicationMainWindow(QWidget* mainWindow)
{
    mainWindowSlot() = mainWindow;
}

QWidget* applicationMainWindow()
{
    return mainWindowSlot();
}

TBalloonHints* FindBalloonHints(const QObject* owner)
{
    if (!owner) {
        return nullptr;
    }
    for (QObject* child : owner->children()) {
        if (auto* hints = qobject_cast<TBalloonHints*>(child)) {
            return hints;
        }
    }
    return nullptr;
}

TBalloonHints* FindBalloonHints()
{
    return FindBalloonHints(applicationMainWindow());
}

} // namespace ostrevo
