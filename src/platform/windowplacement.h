// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// Where a window opens and how big: sizes that fit the screen it opens on,
// and small windows placed over the window that opens them.

#include <QRect>
#include <QSize>

class QWidget;

namespace ostrevo {

// The size a window opens at: `preferred`, but at most nine tenths of the
// screen's free area, and never below `minimum`.
QSize fittedWindowSize(const QSize& preferred, const QSize& minimum, const QRect& available);

// A frame of `size` centred over `owner`, moved back inside `available`.
QRect centredOver(const QSize& size, const QRect& owner, const QRect& available);

// Resizes `window` to its fitted size and centres it on its screen.
void openFitted(QWidget& window, const QSize& preferred, const QSize& minimum);

// Places `window` centred over `owner` (on the owner's screen) and shows it on top.
void showOver(QWidget& window, const QWidget& owner);

} // namespace ostrevo
