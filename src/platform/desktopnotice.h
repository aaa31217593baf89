// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// Telling a user who looked away that a long run is over.

#include <QString>

class QWidget;

namespace ostrevo {

// Asks for attention for `window` (the taskbar entry) and shows `text` as a
// desktop notification when a session bus is there; without one, only the
// taskbar. Never waits for the desktop.
void announceRunEnd(QWidget* window, const QString& text);

// Shows `text` as a desktop notification when a session bus is there.
void showDesktopNotice(const QString& text);

} // namespace ostrevo
