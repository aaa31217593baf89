// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// What the spreadsheet import asks of a spreadsheet application, one call per
// step: open a workbook, list its worksheets, take the active or a chosen one,
// report the used range, hand over a block of values in one request, close
// without saving, quit.
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

// The most tabs of a workbook looked at: a file naming more is still read,
// but its later sheets are not offered.
inline constexpr std::size_t kMaxWorkbookSheets = 256;

struct WorksheetSummary {
    std::string name; // as the file spells it: untrusted, maybe empty
    bool holdsCells = false;
    bool active = false; // the one ActiveSheet() gives

    bool operator==(const WorksheetSummary&) const = default;
};

class SpreadsheetWorkbook {
public:
    virtual ~SpreadsheetWorkbook() = default;
    // Owned by the workbook.
    virtual SpreadsheetSheet& ActiveSheet() = 0;
    // The worksheets among the first kMaxWorkbookSheets tabs, in workbook
    // order (charts left out).
    virtual std::vector<WorksheetSummary> Worksheets() = 0;
    // One of them by its index in Worksheets(); owned by the workbook, and
    // valid until the next call of Worksheet() or ActiveSheet().
    virtual SpreadsheetSheet& Worksheet(std::size_t index) = 0;
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
