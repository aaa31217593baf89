// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// Replaces the result table's rows by the rows of a workbook's active sheet.

#include "spreadsheet/spreadsheetserver.h"

#include <cstdint>
#include <filesystem>
#include <functional>

namespace ostrevo {

class ResultTable;

// Told true when the import starts and false when it ends, however it ends;
// the window shows the wait cursor meanwhile.
using BusyIndicator = std::function<void(bool busy)>;

// Larger used ranges are refused rather than run out of memory (a full-height
// sheet of eight columns still fits).
inline constexpr std::int64_t kMaxImportedCells = std::int64_t{1} << 23;

// Reads the used range of the active sheet (from its first cell) through a
// server made by `createServer`, then replaces the table's rows: one row per
// sheet row, the first column's text as caption, the others as sub-items,
// unchecked, in caption order. Columns are added while a sheet column reaches
// the table's last one; captions and widths stay. A sheet without values
// leaves the table without rows.
//
// Throws EResultListError "Excel OLE server not found" when no server can be
// made, and passes on the server's errors. On any error the table is left as
// it was.
void ImportSpreadsheet(ResultTable& table, const std::filesystem::path& fileName,
                       const SpreadsheetServerFactory& createServer, const BusyIndicator& busy = {});

} // namespace ostrevo
