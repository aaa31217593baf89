// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "spreadsheet/spreadsheetimport.h"

#include "platform/availablememory.h"
#include "platform/errors.h"
#include "resultlist/resulttable.h"
#include "spreadsheet/sheetnames.h"
#include "spreadsheet/spreadsheetaddress.h"

#include <algorithm>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace ostrevo {

namespace {

class BusyScope {
public:
    explicit BusyScope(const BusyIndicator& busy) : m_busy(busy) { set(true); }
    ~BusyScope()
    {
        try {
            set(false);
        } catch (...) {
            // Never replace the error that ended the import.
        }
    }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

    // Told only of changes: the wait cursor is a stack, restored once per set.
    void set(bool on)
    {
        if (m_busy && on != m_on) {
            m_on = on;
            m_busy(on);
        }
    }

private:
    const BusyIndicator& m_busy;
    bool m_on = false;
};

std::string tooLargeMessage(const std::filesystem::path& fileName, const std::string& what,
                            std::int64_t cells)
{
    return "Cannot import " + fileName.string() + ": " + what + " holds " + std::to_string(cells) +
           " cells, more than the " + std::to_string(kMaxImportedCells) + " the table can take";
}

// The sheet to import, or nothing when the user cancels the choice.
SpreadsheetSheet* sheetToImport(SpreadsheetWorkbook& workbook, const SheetChooser& chooseSheet,
                                BusyScope& busy)
{
    if (!chooseSheet) {
        return &workbook.ActiveSheet();
    }
    std::vector<WorksheetSummary> sheets = workbook.Worksheets();
    if (sheets.size() > kMaxWorkbookSheets) {
        sheets.resize(kMaxWorkbookSheets);
    }
    std::vector<std::size_t> withCells;
    std::size_t offered = 0;
    for (std::size_t i = 0; i < sheets.size(); ++i) {
        if (sheets[i].holdsCells) {
            if (sheets[i].active) {
                offered = withCells.size();
            }
            withCells.push_back(i);
        }
    }
    if (withCells.empty()) {
        return &workbook.ActiveSheet();
    }
    if (withCells.size() == 1) {
        return &workbook.Worksheet(withCells.front());
    }
    const std::vector<std::string> allNames = SheetDisplayNames(sheets);
    std::vector<std::string> names;
    for (const std::size_t i : withCells) {
        names.push_back(allNames[i]);
    }
    busy.set(false);
    const std::optional<std::size_t> chosen = chooseSheet(names, offered);
    if (!chosen) {
        return nullptr;
    }
    busy.set(true);
    return &workbook.Worksheet(withCells.at(*chosen));
}

// The used block of the sheet to import, the workbook closed without saving
// and the server asked to quit, also when a step fails; nothing when the
// choice of sheet was cancelled.
std::optional<CellBlock> readUsedBlock(SpreadsheetServer& server, const std::filesystem::path& fileName,
                                       const SheetChooser& chooseSheet, BusyScope& busy)
{
    std::unique_ptr<SpreadsheetWorkbook> workbook;
    bool quitAsked = false;
    try {
        workbook = server.Open(fileName);
        if (!workbook) {
            throw EResultListError("Cannot import " + fileName.string() +
                                   ": the spreadsheet application did not open it");
        }
        SpreadsheetSheet* chosen = sheetToImport(*workbook, chooseSheet, busy);
        if (chosen == nullptr) {
            workbook->Close(false);
            workbook.reset();
            quitAsked = true;
            server.Quit();
            return std::nullopt;
        }
        SpreadsheetSheet& sheet = *chosen;
        const CellRange range = UsedRangeFromAddress(sheet.UsedRangeAddress());
        if (range.cellCount() > kMaxImportedCells) {
            throw EResultListError(
                tooLargeMessage(fileName, "its used range " + CellRangeAddress(range), range.cellCount()));
        }
        // The table takes one column more than the sheet has (see below).
        if (range.columnCount() >= ResultTable::kMaxColumns) {
            throw EResultListError("Cannot import " + fileName.string() + ": its used range " +
                                   CellRangeAddress(range) + " is " + std::to_string(range.columnCount()) +
                                   " columns wide; at most " + std::to_string(ResultTable::kMaxColumns - 1) +
                                   " can be imported");
        }
        // Each cell is read as a value, then kept as a text in its row.
        const std::size_t memoryNeeded = static_cast<std::size_t>(range.cellCount()) * 128;
        if (memoryNeeded > loadingMemoryBudget()) {
            throw EResultListError("Cannot import " + fileName.string() + ": its used range " +
                                   CellRangeAddress(range) +
                                   " would take more memory than there is room for");
        }
        CellBlock block = sheet.RangeValue(CellRangeAddress(range));
        const std::int64_t cells = std::int64_t{block.rows} * block.columns;
        if (block.rows < 0 || block.columns < 0 || cells > kMaxImportedCells) {
            throw EResultListError(tooLargeMessage(fileName, "the block read", cells));
        }
        if (block.values.size() != static_cast<std::size_t>(cells)) {
            throw EResultListError("Cannot import " + fileName.string() +
                                   ": the spreadsheet application returned a block of the wrong size");
        }
        workbook->Close(false);
        workbook.reset();
        quitAsked = true;
        server.Quit();
        return block;
    } catch (...) {
        // Leave nothing open behind the error; their own failures do not matter now.
        if (workbook) {
            try {
                workbook->Close(false);
            } catch (...) {
            }
        }
        if (!quitAsked) {
            try {
                server.Quit();
            } catch (...) {
            }
        }
        throw;
    }
}

std::vector<std::string> textsOf(CellBlock& block)
{
    std::vector<std::string> texts;
    texts.reserve(block.values.size());
    for (CellValue& value : block.values) {
        if (auto* text = std::get_if<std::string>(&value)) {
            // A NUL is no text, and a saved file holding one would not load back.
            std::erase(*text, '\0');
            texts.push_back(std::move(*text));
        } else {
            texts.push_back(CellText(value));
        }
    }
    return texts;
}

} // namespace

bool ImportSpreadsheet(ResultTable& table, const std::filesystem::path& fileName,
                       const SpreadsheetServerFactory& createServer, const BusyIndicator& busy,
                       const SheetChooser& chooseSheet)
{
    BusyScope busyScope(busy);
    std::unique_ptr<SpreadsheetServer> server = createServer ? createServer() : nullptr;
    if (!server) {
        throw EResultListError("Excel OLE server not found");
    }
    // Everything is read before the table changes: a failure leaves it as it was.
    std::optional<CellBlock> read = readUsedBlock(*server, fileName, chooseSheet, busyScope);
    server.reset();
    if (!read) {
        return false;
    }
    CellBlock& block = *read;
    std::vector<std::string> texts = textsOf(block);
    const int rows = std::all_of(texts.begin(), texts.end(), [](const std::string& t) { return t.empty(); })
                         ? 0 // an empty sheet still reports one cell
                         : block.rows;
    const int columns = block.columns;
    // A first row that repeats the column captions is the header of one of the
    // program's own saves, not a domain.
    const bool headerRow = rows > 0 && table.isCaptionRow({texts.begin(), texts.begin() + columns});

    // One bulk update: the rows are sorted once at its end, and rows with
    // equal captions keep the sheet's order.
    BulkUpdate bulk(table);
    table.ClearRows();
    // The columns each row would add as it is filled (a sheet column that
    // reaches the table's last column adds one), added as one change. Two rows
    // settle it; a single row into a table without columns stops one short.
    if (rows > 0) {
        table.addColumnsUpTo(rows == 1 && table.ColumnCount() == 0 ? columns : columns + 1);
    }
    auto text = texts.begin() + (headerRow ? columns : 0);
    for (int r = headerRow ? 1 : 0; r < rows; ++r) {
        ResultRow& row = table.AddRow();
        for (int k = 1; k <= columns; ++k, ++text) {
            if (k == 1) {
                row.SetCaption(*text);
            } else {
                row.AppendSubItem(*text);
            }
            std::string().swap(*text); // the table holds its copy: free the sheet's as it goes
        }
    }
    bulk.end();
    return true;
}

} // namespace ostrevo
