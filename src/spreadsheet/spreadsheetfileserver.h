// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// The spreadsheet server built into the program: it reads workbook files
// itself. By content, not by name: .xls (Excel 5 to 2003), .xlsx and .xlsm
// (Excel 2007 and later), and delimited text such as the program's own saves.

#include "spreadsheet/spreadsheetserver.h"

#include <memory>

namespace ostrevo {

class BuiltInSpreadsheetServer final : public SpreadsheetServer {
public:
    // Lists a workbook's worksheets, each read when asked for (delimited text
    // is one sheet, read at once); throws EResultListError naming the file
    // and the reason when it cannot.
    std::unique_ptr<SpreadsheetWorkbook> Open(const std::filesystem::path& fileName) override;
    void Quit() override {}
};

// A SpreadsheetServerFactory.
std::unique_ptr<SpreadsheetServer> createBuiltInSpreadsheetServer();

} // namespace ostrevo
