// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "spreadsheet/spreadsheetaddress.h"

#include <algorithm>
#include <limits>

namespace ostrevo {

namespace {

// Whole-row ranges predate the wider grid: they keep the old 256 columns.
constexpr int kWholeRowColumns = 256;
// Longest last reference the server's address is read for.
constexpr std::size_t kMaxReferenceLength = 255;

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isCapital(char c)
{
    return c >= 'A' && c <= 'Z';
}

// Decimal digits only, 1 to `limit`.
std::optional<int> positiveNumber(std::string_view digits, int limit)
{
    if (digits.empty()) {
        return std::nullopt;
    }
    std::int64_t value = 0;
    for (const char c : digits) {
        if (!isDigit(c)) {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
        if (value > limit) {
            return std::nullopt;
        }
    }
    if (value < 1) {
        return std::nullopt;
    }
    return static_cast<int>(value);
}

std::string_view withoutLeadingDollar(std::string_view reference)
{
    if (!reference.empty() && reference.front() == '$') {
        reference.remove_prefix(1);
    }
    return reference;
}

// Row of one reference of the reported address: the number after its "$",
// or the whole reference when it has none ("5" of the whole rows "$5").
std::optional<int> reportedRow(std::string_view reference)
{
    const std::size_t dollar = reference.find('$');
    const std::string_view digits =
        dollar == std::string_view::npos ? reference : reference.substr(dollar + 1);
    return positiveNumber(digits, kSheetMaxRows);
}

// Column of one reference of the reported address: the letters before its "$".
std::optional<int> reportedColumn(std::string_view reference)
{
    const std::size_t dollar = reference.find('$');
    if (dollar == std::string_view::npos) {
        return std::nullopt;
    }
    const std::optional<int> column = ColumnNumber(reference.substr(0, dollar));
    if (!column || *column > kSheetMaxColumns) {
        return std::nullopt;
    }
    return column;
}

CellRange ordered(CellPosition a, CellPosition b)
{
    return {{std::min(a.column, b.column), std::min(a.row, b.row)},
            {std::max(a.column, b.column), std::max(a.row, b.row)}};
}

} // namespace

std::string ColumnLetters(int column)
{
    std::string letters;
    // Bijective base 26: there is no zero digit, Z is the 26th.
    for (unsigned n = column > 0 ? static_cast<unsigned>(column) : 0U; n > 0; n = (n - 1) / 26) {
        letters.insert(letters.begin(), static_cast<char>('A' + (n - 1) % 26));
    }
    return letters;
}

std::optional<int> ColumnNumber(std::string_view letters)
{
    if (letters.empty()) {
        return std::nullopt;
    }
    std::int64_t value = 0;
    for (const char c : letters) {
        if (!isCapital(c)) {
            return std::nullopt;
        }
        value = value * 26 + (c - 'A' + 1);
        if (value > std::numeric_limits<int>::max()) {
            return std::nullopt;
        }
    }
    return static_cast<int>(value);
}

std::optional<CellPosition> ParseCellReference(std::string_view reference)
{
    reference = withoutLeadingDollar(reference);
    std::size_t letters = 0;
    while (letters < reference.size() && isCapital(reference[letters])) {
        ++letters;
    }
    if (letters == 0 || letters > 3) {
        return std::nullopt;
    }
    const std::optional<int> column = ColumnNumber(reference.substr(0, letters));
    std::string_view digits = reference.substr(letters);
    if (!digits.empty() && digits.front() == '$') {
        digits.remove_prefix(1);
    }
    const std::optional<int> row = positiveNumber(digits, kSheetMaxRows);
    if (!column || *column > kSheetMaxColumns || !row) {
        return std::nullopt;
    }
    return CellPosition{*column, *row};
}

std::optional<CellRange> ParseCellRange(std::string_view address)
{
    const std::size_t colon = address.find(':');
    const std::optional<CellPosition> first = ParseCellReference(address.substr(0, colon));
    if (!first) {
        return std::nullopt;
    }
    if (colon == std::string_view::npos) {
        return CellRange{*first, *first};
    }
    const std::optional<CellPosition> last = ParseCellReference(address.substr(colon + 1));
    if (!last) {
        return std::nullopt;
    }
    return ordered(*first, *last);
}

CellRange UsedRangeFromAddress(std::string_view address)
{
    // Addresses written without "$" ("B2:D5") are read as plain ranges.
    const CellRange fallback = ParseCellRange(address).value_or(CellRange{});
    const std::size_t colon = address.find(':');
    if (colon == std::string_view::npos) {
        return fallback; // a single used cell, named like "$C$3"
    }
    const std::string_view first = withoutLeadingDollar(address.substr(0, colon));
    const std::string_view last = withoutLeadingDollar(address.substr(colon + 1, kMaxReferenceLength));

    const std::optional<int> firstRow = reportedRow(first);
    const std::optional<int> lastRow = reportedRow(last);
    if (!firstRow || !lastRow) {
        return fallback;
    }
    if (first.find('$') == std::string_view::npos) {
        return ordered({1, *firstRow}, {kWholeRowColumns, *lastRow});
    }
    const std::optional<int> firstColumn = reportedColumn(first);
    const std::optional<int> lastColumn = reportedColumn(last);
    if (!firstColumn || !lastColumn) {
        return fallback;
    }
    return ordered({*firstColumn, *firstRow}, {*lastColumn, *lastRow});
}

std::string CellRangeAddress(const CellRange& range)
{
    return ColumnLetters(range.first.column) + std::to_string(range.first.row) + ':' +
           ColumnLetters(range.last.column) + std::to_string(range.last.row);
}

} // namespace ostrevo
