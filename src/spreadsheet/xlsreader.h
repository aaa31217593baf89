// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// Excel 5 to 2003 workbooks (.xls: BIFF 5 and 8 inside an OLE2 compound file).

#include "spreadsheet/spreadsheetcontents.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace ostrevo {

// The values of the worksheet that was active when the workbook was saved, or
// of the first worksheet when a chart was. Throws EResultListError naming the
// file and the reason when it cannot be read.
SheetContents ReadXlsSheet(const std::filesystem::path& fileName);

// The workbook's worksheets, each read up to its first value to tell whether
// it holds cells (one that cannot be read counts as holding some); a sheet is
// read whole when asked for. Throws as above.
WorkbookFile OpenXlsWorkbook(const std::filesystem::path& fileName);

// What an Excel 2, 3 or 4 file is, from its first eight bytes (a bare BIFF 2-4
// stream opening with its BOF record), such as "an Excel 4 worksheet"; empty
// for any other file.
std::string oldExcelFileKind(std::string_view head);

} // namespace ostrevo
