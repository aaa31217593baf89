// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// A sheet read whole from a file, served through the spreadsheet server calls:
// the built-in server's readers fill one, the import then asks it for its used
// range and values.

#include "spreadsheet/spreadsheetaddress.h"
#include "spreadsheet/spreadsheetimport.h"
#include "spreadsheet/spreadsheetserver.h"

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace ostrevo {

// The cells that hold a value, in any order; a later value for the same cell
// replaces the earlier one.
class SheetContents {
public:
    // Most cells a sheet may hold (the import takes no more).
    static constexpr auto kMaxCells = static_cast<std::size_t>(kMaxImportedCells);
    // Most text its values may hold: a workbook's shared strings are copied
    // into every cell that shows them, so a small file could make gigabytes.
    static constexpr std::size_t kMaxTextBytes = std::size_t{512} << 20;
    // Most characters one cell's text may have (a spreadsheet program's own
    // cells hold 32,767): readers refuse a longer one while they read it.
    static constexpr std::size_t kMaxCellCharacters = std::size_t{1} << 20;

    // Empty values and empty texts are not kept. False, and nothing kept, once
    // the sheet would hold more than kMaxCells values or kMaxTextBytes of
    // text; refusal() then says which, to complete "Cannot import <file>: ".
    bool add(CellPosition position, CellValue value);
    std::string refusal() const;
    std::size_t size() const { return m_cells.size(); }

    // The smallest range holding every value; nothing for a sheet without one.
    std::optional<CellRange> usedRange() const;
    // Every cell of `range`, empty where the sheet holds no value.
    CellBlock block(const CellRange& range) const;

private:
    std::vector<std::pair<CellPosition, CellValue>> m_cells;
    std::size_t m_textBytes = 0;
    bool m_tooMuchText = false;
    std::optional<CellRange> m_bounds;
};

class LoadedSheet final : public SpreadsheetSheet {
public:
    LoadedSheet(std::filesystem::path fileName, SheetContents contents)
        : m_fileName(std::move(fileName)), m_contents(std::move(contents))
    {}

    // "$B$2:$D$5", "$C$3" for one cell, and "$A$1" for a sheet without values.
    std::string UsedRangeAddress() override;
    // Throws EResultListError for an address that is not a range of cells.
    CellBlock RangeValue(std::string_view address) override;

private:
    std::filesystem::path m_fileName;
    SheetContents m_contents;
};

// A workbook file as a built-in reader opened it: its worksheets listed at
// once, each read only when asked for. `readSheet` takes an index into
// `worksheets` and throws EResultListError naming the file.
struct WorkbookFile {
    std::vector<WorksheetSummary> worksheets;
    std::function<SheetContents(std::size_t index)> readSheet;
};

class LoadedWorkbook final : public SpreadsheetWorkbook {
public:
    // A workbook of one sheet, already read (delimited text).
    LoadedWorkbook(std::filesystem::path fileName, SheetContents activeSheet);
    LoadedWorkbook(std::filesystem::path fileName, WorkbookFile file);

    SpreadsheetSheet& ActiveSheet() override;
    std::vector<WorksheetSummary> Worksheets() override { return m_file.worksheets; }
    // Throws EResultListError for an index past the last worksheet.
    SpreadsheetSheet& Worksheet(std::size_t index) override;
    void Close(bool) override {} // nothing of it was ever written

private:
    std::filesystem::path m_fileName;
    WorkbookFile m_file;
    // Only the sheet last asked for is held.
    std::optional<LoadedSheet> m_sheet;
    std::size_t m_sheetIndex = 0;
};

} // namespace ostrevo
