// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "spreadsheet/spreadsheetbusycursor.h"

#include <QCursor>
#include <QGuiApplication>

namespace ostrevo {

BusyIndicator waitCursorBusyIndicator()
{
    return [](bool busy) {
        if (busy) {
            QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
        } else {
            QGuiApplication::restoreOverrideCursor();
        }
    };
}

} // namespace ostrevo
