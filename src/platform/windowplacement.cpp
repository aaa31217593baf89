// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "platform/windowplacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace ostrevo {
namespace {

QRect availableArea(const QWidget& widget)
{
    const QScreen* screen = widget.screen() ? widget.screen() : QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

} // namespace

QSize fittedWindowSize(const QSize& preferred, const QSize& minimum, const QRect& available)
{
    if (available.isEmpty()) {
        return preferred;
    }
    // The least size is what the window's controls need to show whole: a
    // screen smaller still gets it, and the window manager moves it.
    const auto fit = [](int want, int least, int room) {
        return std::max(std::min(want, room * 9 / 10), least);
    };
    return {fit(preferred.width(), minimum.width(), available.width()),
            fit(preferred.height(), minimum.height(), available.height())};
}

QRect centredOver(const QSize& size, const QRect& owner, const QRect& available)
{
    QRect frame(QPoint(0, 0), size);
    frame.moveCenter(owner.center());
    if (available.isEmpty()) {
        return frame;
    }
    // Keep the title bar reachable: the top-left corner stays on the screen.
    frame.moveLeft(std::max(available.left(), std::min(frame.left(), available.right() + 1 - size.width())));
    frame.moveTop(std::max(available.top(), std::min(frame.top(), available.bottom() + 1 - size.height())));
    return frame;
}

void openFitted(QWidget& window, const QSize& preferred, const QSize& minimum)
{
    const QRect available = availableArea(window);
    window.resize(fittedWindowSize(preferred, minimum, available));
    if (!available.isEmpty()) {
        window.move(centredOver(window.size(), QRect(QPoint(0, 0), available.size()), QRect()).topLeft() +
                    available.topLeft());
    }
}

void showOver(QWidget& window, const QWidget& owner)
{
    const QRect frame = window.frameGeometry();
    const QRect placed = centredOver(frame.size(), owner.frameGeometry(), availableArea(owner));
    window.move(placed.topLeft());
    window.show();
    window.raise();
    window.activateWindow();
}

} // namespace ostrevo
