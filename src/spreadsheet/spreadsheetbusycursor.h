// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// The wait cursor over the whole application while a spreadsheet is imported.

#include "spreadsheet/spreadsheetimport.h"

namespace ostrevo {

// A BusyIndicator that sets Qt::WaitCursor as the application's override
// cursor and takes it away again.
BusyIndicator waitCursorBusyIndicator();

} // namespace ostrevo
