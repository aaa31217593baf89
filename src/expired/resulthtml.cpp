// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "expired/resultfiles.h"

#include "expired/expirycolouring.h"
#include "resultlist/linktext.h"
#include "resultlist/resultcolumns.h"
#include "resultlist/resulttable.h"
#include "textscan/markuptext.h"

#include <cstdio>

namespace ostrevo {

namespace {

std::string cssColour(const Rgb& rgb)
{
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", rgb.r, rgb.g, rgb.b);
    return text;
}

void appendCell(std::string& page, std::string_view text, int column, int currentYear)
{
    page.append("<td");
    if (column == columnOf(ResultField::Expires)) {
        if (const std::optional<Rgb> colour = expiryCellColour(text, currentYear)) {
            page.append(" style=\"background-color:" + cssColour(*colour) +
                        ";color:" + cssColour(readableTextOn(*colour)) + "\"");
        }
    }
    page.push_back('>');
    const std::optional<std::string> address = linkAddress(text);
    if (address) {
        page.append("<a href=\"");
        appendMarkupText(page, *address);
        page.append("\">");
    }
    appendMarkupText(page, address ? shownCellText(text, true) : text);
    if (address) {
        page.append("</a>");
    }
    page.append("</td>");
}

} // namespace

std::string resultsHtmlPage(const ResultTable& table, int currentYear)
{
    const int columns = table.ColumnCount();
    std::string page = "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n"
                       "<title>Ostrevo results</title>\n<style>\n"
                       "table { border-collapse: collapse; font-family: sans-serif; font-size: 10pt; }\n"
                       "th, td { border: 1px solid #c0c0c0; padding: 2px 6px; text-align: left; }\n"
                       "</style>\n</head>\n<body>\n<table>\n<thead>\n<tr>";
    for (int k = 0; k < columns; ++k) {
        page.append("<th>");
        appendMarkupText(page, table.Column(k).Caption);
        page.append("</th>");
    }
    page.append("</tr>\n</thead>\n<tbody>\n");
    for (int i = 0; i < table.RowCount(); ++i) {
        const ResultRow& row = table.Row(i);
        page.append("<tr>");
        for (int k = 0; k < columns; ++k) {
            appendCell(page, cellText(row, k), k, currentYear);
        }
        page.append("</tr>\n");
    }
    page.append("</tbody>\n</table>\n</body>\n</html>\n");
    return page;
}

} // namespace ostrevo
