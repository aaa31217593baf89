// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// Excel 2007 and later workbooks (.xlsx) of one worksheet, made in memory row
// by row: texts as inline strings, numbers as numbers, dates as day numbers
// in a year-first date format ("yyyy/mm/dd"), so that spreadsheet programs
// sort and compute with them and the program's own reader reads them back as
// the same values.

#include "spreadsheet/spreadsheetvalue.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace ostrevo {

// A cell's solid fill and its text colour, as 0xRRGGBB.
struct CellColours {
    std::uint32_t fill = 0xFFFFFF;
    std::uint32_t text = 0x000000;
    friend bool operator==(const CellColours&, const CellColours&) = default;
};

class XlsxWriter {
public:
    // `columnWidths`: the first columns' widths, in characters.
    XlsxWriter(std::string sheetName, std::vector<double> columnWidths);

    // The next row; `bold` for a header. Errors are written as empty cells.
    // `colours`, when given, holds one entry a cell: the cells with colours
    // get them, also where they are empty. Throws RuntimeError when the sheet
    // would pass what a workbook can hold (rows, columns, characters in a
    // cell, cell styles) rather than write a file that spreadsheet programs
    // refuse.
    void addRow(std::span<const CellValue> cells, bool bold = false,
                std::span<const std::optional<CellColours>> colours = {});

    // The .xlsx file's bytes.
    std::string finish() const;

private:
    struct ColouredStyle {
        CellColours colours;
        int plainStyle; // the style it colours
        bool operator==(const ColouredStyle&) const = default;
    };
    int colouredStyle(const CellColours& colours, int plainStyle);

    std::string m_sheetName;
    std::vector<ColouredStyle> m_colouredStyles;
    std::vector<double> m_columnWidths;
    std::string m_sheetData;
    int m_rows = 0;
};

// A date as a day number of the 1900 date system (1 = 1900-01-01, with its
// fictitious 29 February 1900 as 60), the time of day as the fraction.
double DateSerial(const SheetDateTime& dateTime);

} // namespace ostrevo
