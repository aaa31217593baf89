// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// Saving the result table in the format its file name asks for. Every format
// holds each row in display order with as many cells as the table has
// columns, the page and the workbook under a row of the columns' captions. A
// table without rows or columns writes nothing at all, as the delimited
// writer does.

#include <filesystem>
#include <string>
#include <string_view>

namespace ostrevo {

class ResultTable;

enum class ResultFileFormat { Delimited, HtmlPage, Xml, Workbook };

// By the name's extension, in any case: .htm and .html, .xml, .xlsx; every
// other name (.csv, .txt, .doc, .xls, none) gets the delimited text, which
// the program's own load and spreadsheet programs both read.
ResultFileFormat resultFileFormatFor(std::string_view fileName);

// Whether delimited text under this name shows formula-like cells as text:
// spreadsheet programs open .csv and .xls by their names and would run them.
bool guardsFormulas(std::string_view fileName);

// Writes the table as `resultFileFormatFor(fileName)` says, replacing the
// file only once it is complete. The delimited text of a .csv or .xls name
// has its formula-like cells shown as text (ResultTable::FormulaCells). `currentYear` colours the page's
// and the workbook's expiry cells.
void saveResults(const ResultTable& table, const std::filesystem::path& fileName, int currentYear);

// The whole file of a page, XML or workbook format, for those that write it
// at once (the delimited text is written by the table as it goes).
std::string resultsDocument(ResultFileFormat format, const ResultTable& table, int currentYear);

// A workbook (.xlsx) of one sheet: the captions in bold, then the rows, as
// text except an expiry that is a date written year/month/day (2025/11/05),
// which is a date cell. The "Expires" cells are coloured as in the window.
std::string resultsWorkbook(const ResultTable& table, int currentYear);

// A UTF-8 HTML page with one table: the texts escaped, web and mail
// addresses as links, the "Expires" cells coloured as in the window.
std::string resultsHtmlPage(const ResultTable& table, int currentYear);

// The XML file:
//
//   <?xml version="1.0" encoding="UTF-8"?>
//   <results>
//     <domain>
//       <site>http://example.com</site>
//       <email>mailto:owner@example.com</email>
//       <expires>2025/11/05</expires>
//     </domain>
//   </results>
//
// One <domain> per row with one child per column, always all of them (empty
// when the row has no such cell); a column after the third is a <field>.
// Texts stand as in the table, escaped; bytes that are not UTF-8 and
// characters XML cannot carry are U+FFFD.
std::string resultsXml(const ResultTable& table);

} // namespace ostrevo
