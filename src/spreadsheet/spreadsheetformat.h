// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// Which number formats show a cell's number as a date or a time: workbooks
// store dates as day numbers and only the cell's format says otherwise.

#include "spreadsheet/spreadsheetvalue.h"

#include <optional>
#include <string_view>

namespace ostrevo {

// The date part a format shows, or nothing for a number format.
using DateFormatKind = std::optional<SheetDateTime::Part>;

// The formats every workbook knows by number (0 to 163).
DateFormatKind BuiltInFormatKind(int formatId);

// A format code such as "yyyy-mm-dd", "h:mm AM/PM" or "0.00%". Only the first
// section (positive numbers) counts; quoted text, escaped characters, colours
// and locale tags are not format letters.
DateFormatKind FormatCodeKind(std::string_view formatCode);

} // namespace ostrevo
