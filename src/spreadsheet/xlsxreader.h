// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// Excel 2007 and later workbooks (.xlsx, .xlsm: SpreadsheetML in a zip archive).

#include "spreadsheet/spreadsheetcontents.h"

#include <filesystem>

namespace ostrevo {

// The values of the workbook's active worksheet (the first worksheet when the
// active sheet is a chart). Numbers in a date or time format become dates.
// Throws EResultListError naming the file and the reason when it cannot be
// read.
SheetContents ReadXlsxSheet(const std::filesystem::path& fileName);

// The workbook's worksheets, each read up to its first value to tell whether
// it holds cells (one that cannot be read counts as holding some); a sheet is
// read whole when asked for. Throws as above.
WorkbookFile OpenXlsxWorkbook(const std::filesystem::path& fileName);

} // namespace ostrevo
