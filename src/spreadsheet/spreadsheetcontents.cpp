// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "spreadsheet/spreadsheetcontents.h"

#include "platform/errors.h"

#include <algorithm>

namespace ostrevo {

namespace {

std::string absoluteReference(CellPosition cell)
{
    return '$' + ColumnLetters(cell.column) + '$' + std::to_string(cell.row);
}

} // namespace

bool SheetContents::add(CellPosition position, CellValue value)
{
    const auto* text = std::get_if<std::string>(&value);
    if (std::holds_alternative<std::monostate>(value) || (text && text->empty())) {
        return true;
    }
    if (m_cells.size() >= kMaxCells) {
        return false;
    }
    if (text) {
        if (text->size() > kMaxTextBytes - m_textBytes) {
            m_tooMuchText = true;
            return false;
        }
        m_textBytes += text->size();
    }
    m_cells.emplace_back(position, std::move(value));
    if (!m_bounds) {
        m_bounds = CellRange{position, position};
    } else {
        m_bounds->first.column = std::min(m_bounds->first.column, position.column);
        m_bounds->first.row = std::min(m_bounds->first.row, position.row);
        m_bounds->last.column = std::max(m_bounds->last.column, position.column);
        m_bounds->last.row = std::max(m_bounds->last.row, position.row);
    }
    return true;
}

std::string SheetContents::refusal() const
{
    return m_tooMuchText ? "its values hold more than " + std::to_string(kMaxTextBytes >> 20) + " MiB of text"
                         : "it holds more than " + std::to_string(kMaxCells) + " values";
}

std::optional<CellRange> SheetContents::usedRange() const
{
    return m_bounds;
}

CellBlock SheetContents::block(const CellRange& range) const
{
    CellBlock block;
    block.rows = range.rowCount();
    block.columns = range.columnCount();
    block.values.resize(static_cast<std::size_t>(range.cellCount()));
    for (const auto& [position, value] : m_cells) {
        if (range.contains(position)) {
            const auto row = static_cast<std::size_t>(position.row - range.first.row);
            const auto column = static_cast<std::size_t>(position.column - range.first.column);
            block.values[row * static_cast<std::size_t>(block.columns) + column] = value;
        }
    }
    return block;
}

std::string LoadedSheet::UsedRangeAddress()
{
    const std::optional<CellRange> range = m_contents.usedRange();
    if (!range) {
        return "$A$1";
    }
    if (range->first == range->last) {
        return absoluteReference(range->first);
    }
    return absoluteReference(range->first) + ':' + absoluteReference(range->last);
}

CellBlock LoadedSheet::RangeValue(std::string_view address)
{
    const std::optional<CellRange> range = ParseCellRange(address);
    if (!range) {
        throw EResultListError("Cannot read " + m_fileName.string() + ": \"" + std::string(address) +
                               "\" is not a range of cells");
    }
    if (range->cellCount() > static_cast<std::int64_t>(SheetContents::kMaxCells)) {
        throw EResultListError("Cannot read " + m_fileName.string() + ": the range " + std::string(address) +
                               " is too large");
    }
    return m_contents.block(*range);
}

LoadedWorkbook::LoadedWorkbook(std::filesystem::path fileName, SheetContents activeSheet)
    : m_fileName(std::move(fileName))
{
    m_file.worksheets.push_back({{}, activeSheet.size() > 0, true});
    m_sheet.emplace(m_fileName, std::move(activeSheet));
}

LoadedWorkbook::LoadedWorkbook(std::filesystem::path fileName, WorkbookFile file)
    : m_fileName(std::move(fileName)), m_file(std::move(file))
{}

SpreadsheetSheet& LoadedWorkbook::ActiveSheet()
{
    const auto& sheets = m_file.worksheets;
    const auto active =
        std::find_if(sheets.begin(), sheets.end(), [](const WorksheetSummary& s) { return s.active; });
    return Worksheet(active == sheets.end() ? 0 : static_cast<std::size_t>(active - sheets.begin()));
}

SpreadsheetSheet& LoadedWorkbook::Worksheet(std::size_t index)
{
    if (m_sheet && m_sheetIndex == index) {
        return *m_sheet;
    }
    if (index >= m_file.worksheets.size() || !m_file.readSheet) {
        throw EResultListError("Cannot read " + m_fileName.string() + ": it has no worksheet " +
                               std::to_string(index + 1));
    }
    m_sheet.reset(); // two large sheets are never held at once
    m_sheet.emplace(m_fileName, m_file.readSheet(index));
    m_sheetIndex = index;
    return *m_sheet;
}

} // namespace ostrevo
