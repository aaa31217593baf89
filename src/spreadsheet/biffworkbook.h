// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// The values of a BIFF 5 or 8 workbook stream (the "Book" or "Workbook"
// stream of an .xls file).

#include "spreadsheet/spreadsheetcontents.h"

#include <cstdint>
#include <span>

namespace ostrevo {

// The worksheet that was active when the workbook was saved, or the first
// worksheet when the active sheet is a chart or the workbook does not say.
// Numbers in a date or time format become dates. Throws UnreadableWorkbook.
SheetContents ReadBiffWorkbook(std::span<const std::uint8_t> stream);

} // namespace ostrevo
