// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "expired/resultcommands.h"

#include "resultlist/resultcolumns.h"
#include "resultlist/resulttable.h"

#include <algorithm>
#include <cstdio>

namespace ostrevo {

namespace {

std::string_view expiryText(const ResultRow& row)
{
    return fieldText(row, ResultField::Expires);
}

bool containsIgnoringAsciiCase(std::string_view text, std::string_view part)
{
    const auto lower = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c; };
    return std::search(text.begin(), text.end(), part.begin(), part.end(), [&](char a, char b) {
               return lower(static_cast<unsigned char>(a)) == lower(static_cast<unsigned char>(b));
           }) != text.end();
}

} // namespace

void setAllChecked(ResultTable& table, bool checked)
{
    const int count = table.RowCount();
    for (int i = 0; i < count; ++i) {
        table.Row(i).SetChecked(checked);
    }
}

namespace {

RowCopy copyOf(const ResultRow& row)
{
    RowCopy copy{{std::string(row.Caption())}, row.Checked()};
    for (std::size_t k = 0; k < row.SubItemCount(); ++k) {
        copy.texts.emplace_back(row.SubItem(k));
    }
    return copy;
}

} // namespace

std::vector<RowCopy> deleteRowsChecked(ResultTable& table, bool checked)
{
    std::vector<RowCopy> deleted;
    // The row below moves up into place i after a deletion, so i stays.
    int i = 0;
    while (i < table.RowCount()) {
        if (table.Row(i).Checked() == checked) {
            deleted.push_back(copyOf(table.Row(i)));
            table.DeleteRow(i);
        } else {
            ++i;
        }
    }
    return deleted;
}

std::vector<RowCopy> deleteAllRows(ResultTable& table)
{
    std::vector<RowCopy> deleted;
    deleted.reserve(static_cast<std::size_t>(table.RowCount()));
    for (int i = 0; i < table.RowCount(); ++i) {
        deleted.push_back(copyOf(table.Row(i)));
    }
    table.ClearRows();
    return deleted;
}

void addRows(ResultTable& table, const std::vector<RowCopy>& rows)
{
    table.BeginBulkUpdate();
    for (const RowCopy& copy : rows) {
        ResultRow& row = table.AddRow();
        row.SetCaption(copy.texts.empty() ? std::string() : copy.texts.front());
        for (std::size_t k = 1; k < copy.texts.size(); ++k) {
            row.AppendSubItem(copy.texts[k]);
        }
        row.SetChecked(copy.checked);
    }
    table.EndBulkUpdate();
}

std::string filterDateText(int year, int month, int day)
{
    char text[32];
    std::snprintf(text, sizeof text, "%d/%02d/%02d", year, month, day);
    return text;
}

void checkExpiringUpTo(ResultTable& table, std::string_view dateText)
{
    const int count = table.RowCount();
    for (int i = 0; i < count; ++i) {
        ResultRow& row = table.Row(i);
        // std::string_view compares bytes as unsigned, shorter prefix first.
        if (expiryText(row) <= dateText) {
            row.SetChecked(true);
        }
    }
}

void uncheckExpiringFrom(ResultTable& table, std::string_view dateText)
{
    const int count = table.RowCount();
    for (int i = 0; i < count; ++i) {
        ResultRow& row = table.Row(i);
        if (expiryText(row) >= dateText) {
            row.SetChecked(false);
        }
    }
}

bool isBlankFileName(std::string_view fileName)
{
    return std::all_of(fileName.begin(), fileName.end(),
                       [](char c) { return static_cast<unsigned char>(c) <= ' '; });
}

LoadReaders loadReadersFor(std::string_view fileName)
{
    // Letter case is ignored so that LIST.CSV loads too.
    return {containsIgnoringAsciiCase(fileName, ".csv"), containsIgnoringAsciiCase(fileName, ".xls")};
}

} // namespace ostrevo
