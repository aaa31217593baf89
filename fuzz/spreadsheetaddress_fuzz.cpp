// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
//
// Any bytes as the used range address a spreadsheet server reports, as a
// range the import asks for, and as column letters: nothing may crash, every
// range read must be a proper one inside the grid, and what is written must
// read back the same.

#include "spreadsheet/spreadsheetaddress.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

using namespace ostrevo;

void check(bool condition)
{
    if (!condition) {
        std::abort();
    }
}

void checkRange(const CellRange& range)
{
    check(range.first.column >= 1 && range.first.column <= range.last.column);
    check(range.first.row >= 1 && range.first.row <= range.last.row);
    check(range.last.column <= kSheetMaxColumns && range.last.row <= kSheetMaxRows);
    check(ParseCellRange(CellRangeAddress(range)) == range);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    checkRange(UsedRangeFromAddress(text));
    if (const auto range = ParseCellRange(text)) {
        checkRange(*range);
    }
    if (const auto cell = ParseCellReference(text)) {
        checkRange({*cell, *cell});
    }
    if (const auto column = ColumnNumber(text)) {
        check(*column >= 1 && ColumnLetters(*column) == text);
    }
    return 0;
}
