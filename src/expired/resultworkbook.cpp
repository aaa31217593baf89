// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "expired/resultfiles.h"

#include "expired/expirycolouring.h"
#include "resultlist/resultcolumns.h"
#include "resultlist/resulttable.h"
#include "spreadsheet/xlsxwriter.h"

#include <charconv>
#include <chrono>
#include <optional>
#include <vector>

namespace ostrevo {

namespace {

// About the width of a character of the sheet's font, in pixels.
constexpr double kPixelsPerCharacter = 7.0;

// The expiry dates the program writes (2025/11/05), when the day exists:
// read back, a date cell gives the same text.
std::optional<SheetDateTime> expiryDate(std::string_view text)
{
    int parts[3] = {};
    const char* at = text.data();
    const char* const end = text.data() + text.size();
    for (int i = 0; i < 3; ++i) {
        if (at == end || *at < '0' || *at > '9') {
            return std::nullopt;
        }
        const auto [next, error] = std::from_chars(at, end, parts[i]);
        if (error != std::errc() || next - at != (i == 0 ? 4 : 2)) {
            return std::nullopt;
        }
        at = next;
        if (i < 2) {
            if (at == end || *at != '/') {
                return std::nullopt;
            }
            ++at;
        }
    }
    const std::chrono::year_month_day date{std::chrono::year{parts[0]},
                                           std::chrono::month{static_cast<unsigned>(parts[1])},
                                           std::chrono::day{static_cast<unsigned>(parts[2])}};
    if (at != end || !date.ok() || parts[0] < 1900) {
        return std::nullopt;
    }
    return SheetDateTime{parts[0], parts[1], parts[2], 0, 0, 0, SheetDateTime::Part::Date};
}

std::uint32_t packed(const Rgb& rgb)
{
    return (std::uint32_t{rgb.r} << 16) | (std::uint32_t{rgb.g} << 8) | rgb.b;
}

std::optional<CellColours> expiryColours(std::string_view text, int currentYear)
{
    const std::optional<Rgb> colour = expiryCellColour(text, currentYear);
    if (!colour) {
        return std::nullopt;
    }
    return CellColours{packed(*colour), packed(readableTextOn(*colour))};
}

} // namespace

std::string resultsWorkbook(const ResultTable& table, int currentYear)
{
    const int columns = table.ColumnCount();
    std::vector<double> widths;
    std::vector<CellValue> cells;
    for (int k = 0; k < columns; ++k) {
        widths.push_back(table.Column(k).width / kPixelsPerCharacter);
        cells.emplace_back(table.Column(k).Caption);
    }
    XlsxWriter workbook("Domains", std::move(widths));
    workbook.addRow(cells, true);
    std::vector<std::optional<CellColours>> colours(cells.size());
    for (int i = 0; i < table.RowCount(); ++i) {
        const ResultRow& row = table.Row(i);
        for (int k = 0; k < columns; ++k) {
            const std::string_view text = cellText(row, k);
            const bool expires = k == columnOf(ResultField::Expires);
            const std::optional<SheetDateTime> date = expires ? expiryDate(text) : std::nullopt;
            cells[static_cast<std::size_t>(k)] = date ? CellValue(*date) : CellValue(std::string(text));
            colours[static_cast<std::size_t>(k)] = expires ? expiryColours(text, currentYear) : std::nullopt;
        }
        workbook.addRow(cells, false, colours);
    }
    return workbook.finish();
}

} // namespace ostrevo
