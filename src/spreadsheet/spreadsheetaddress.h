// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// Cell addresses of the spreadsheet import: column letters, the used range a
// spreadsheet server reports ("$B$2:$D$25") and the block the import asks it
// for ("B2:D25").

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ostrevo {

// The grid of today's spreadsheet files (XFD1048576).
inline constexpr int kSheetMaxRows = 1048576;
inline constexpr int kSheetMaxColumns = 16384;

struct CellPosition {
    int column = 1; // 1 = A
    int row = 1;    // 1 = first row
    bool operator==(const CellPosition&) const = default;
};

// A rectangle of cells, first <= last in both directions.
struct CellRange {
    CellPosition first;
    CellPosition last;

    int columnCount() const { return last.column - first.column + 1; }
    int rowCount() const { return last.row - first.row + 1; }
    std::int64_t cellCount() const { return std::int64_t{columnCount()} * rowCount(); }
    bool contains(const CellPosition& cell) const
    {
        return cell.column >= first.column && cell.column <= last.column && cell.row >= first.row &&
               cell.row <= last.row;
    }
    bool operator==(const CellRange&) const = default;
};

// 1 → A, 26 → Z, 27 → AA, 52 → AZ, 256 → IV, 702 → ZZ, 703 → AAA. Empty for
// a column below 1.
std::string ColumnLetters(int column);

// The column that capital letters name ("AA" → 27); nothing when the text is
// empty, holds anything but A to Z, or names a column beyond the int range.
std::optional<int> ColumnNumber(std::string_view letters);

// One cell such as "B12" or "$B$12", inside the grid; nothing otherwise.
std::optional<CellPosition> ParseCellReference(std::string_view reference);

// "B2:D5", "$B$2:$D$5" or a single cell "B2"; corners given in either order.
// Nothing unless both corners are cells inside the grid.
std::optional<CellRange> ParseCellRange(std::string_view address);

// The used range from the address text a spreadsheet server reports. Whole
// rows ("$2:$5") span columns A to IV. An address this cannot read gives the
// single cell A1.
CellRange UsedRangeFromAddress(std::string_view address);

// "B2:D5"; a single cell is written "B2:B2".
std::string CellRangeAddress(const CellRange& range);

} // namespace ostrevo
