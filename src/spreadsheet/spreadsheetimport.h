// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// Replaces the result table's rows by the rows of a workbook's sheet: the
// active one, or the one the user picks when several hold cells.

#include "spreadsheet/spreadsheetserver.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace ostrevo {

class ResultTable;

// Told true when the import starts and false when it ends, however it ends;
// the window shows the wait cursor meanwhile.
using BusyIndicator = std::function<void(bool busy)>;

// Asks which sheet to import: given the names of the sheets that hold cells,
// in workbook order, each different and fit to show, and the index of the one
// to offer first (the active sheet when it holds cells), gives the index of
// the one chosen, or nothing to import nothing.
using SheetChooser =
    std::function<std::optional<std::size_t>(const std::vector<std::string>& names, std::size_t offered)>;

// Larger used ranges are refused rather than run out of memory (a full-height
// sheet of eight columns still fits).
inline constexpr std::int64_t kMaxImportedCells = std::int64_t{1} << 23;

// Reads the used range of a sheet (from its first cell) through a server made
// by `createServer`, then replaces the table's rows: one row per sheet row,
// the first column's text as caption, the others as sub-items, unchecked, in
// caption order. Columns are added while a sheet column reaches the table's
// last one; captions and widths stay. A sheet without values leaves the table
// without rows.
//
// The sheet is the active one, unless `chooseSheet` is given and more than
// one worksheet holds cells: then it picks, and a cancelled choice leaves the
// table as it was and gives false. A workbook whose only sheet with cells is
// not the active one imports that sheet. The busy indicator is off while the
// choice is asked.
//
// Throws EResultListError "Excel OLE server not found" when no server can be
// made, and passes on the server's errors. On any error the table is left as
// it was.
bool ImportSpreadsheet(ResultTable& table, const std::filesystem::path& fileName,
                       const SpreadsheetServerFactory& createServer, const BusyIndicator& busy = {},
                       const SheetChooser& chooseSheet = {});

} // namespace ostrevo
