// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// What the spreadsheet import asks of a spreadsheet application, one call per
// step: open a workbook, take its active sheet, report the used range, hand
// over a block of values in one request, close without saving, quit.
//
// Calls report failures by throwing an exception derived from std::exception
// whose message the user can read (naming the file and the reason).

#include "spreadsheet/spreadsheetvalue.h"

#include <cstddef>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace ostrevo {

// A rectangle of cell values, row by row.
struct CellBlock {
    int rows = 0;
    int columns = 0;
    std::vector<CellValue> values; // rows * columns values

    // 1-based, as the automation value array: row 1..rows, column 1..columns.
    const CellValue& at(int row, int column) const
    {
        return values[static_cast<std::size_t>(row - 1) * static_cast<std::size_t>(columns) +
                      static_cast<std::size_t>(column - 1)];
    }
};

class SpreadsheetSheet {
public:
    virtual ~SpreadsheetSheet() = default;
    // The used range's address, such as "$A$1:$C$25", or "$A$1" for one cell.
    virtual std::string UsedRangeAddress() = 0;
    // All values of the range ("B2:D25") in one request.
    virtual CellBlock RangeValue(std::string_view address) = 0;
};

class SpreadsheetWorkbook {
public:
    virtual ~SpreadsheetWorkbook() = default;
    // Owned by the workbook.
    virtual SpreadsheetSheet& ActiveSheet() = 0;
    virtual void Close(bool saveChanges) = 0;
};

// The application object.
class SpreadsheetServer {
public:
    virtual ~SpreadsheetServer() = default;
    virtual std::unique_ptr<SpreadsheetWorkbook> Open(const std::filesystem::path& fileName) = 0;
    virtual void Quit() = 0;
};

// Starts a server; nothing when none is available.
using SpreadsheetServerFactory = std::function<std::unique_ptr<SpreadsheetServer>()>;

} // namespace ostrevo
