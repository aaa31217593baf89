// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// What the main window's command menu and date filters do to the result table.
// Expiry texts are compared as texts: year/month/day texts sort by date.

#include <string>
#include <string_view>
#include <vector>

namespace ostrevo {

class ResultTable;

void setAllChecked(ResultTable& table, bool checked);

// A row as it stood, to be put back when a delete is undone.
struct RowCopy {
    std::vector<std::string> texts; // caption, then the sub-items
    bool checked = false;
};

// Deletes every row whose check mark equals `checked`; the others keep their
// order. Returns the deleted rows.
std::vector<RowCopy> deleteRowsChecked(ResultTable& table, bool checked);
// Deletes every row; returns them.
std::vector<RowCopy> deleteAllRows(ResultTable& table);
// Adds the rows back with their ticks, sorted once at the end.
void addRows(ResultTable& table, const std::vector<RowCopy>& rows);

// "2012/03/07": year without padding, two-digit month and day.
std::string filterDateText(int year, int month, int day);

// Ticks the rows expiring on or before `dateText`; never unticks.
void checkExpiringUpTo(ResultTable& table, std::string_view dateText);
// Unticks the rows expiring on or after `dateText`; never ticks.
void uncheckExpiringFrom(ResultTable& table, std::string_view dateText);

// A file name of only blanks and control characters counts as no answer.
bool isBlankFileName(std::string_view fileName);

// Which readers a load hands the file to; a name can ask for both.
struct LoadReaders {
    bool delimited = false;
    bool spreadsheet = false;
};
LoadReaders loadReadersFor(std::string_view fileName);

} // namespace ostrevo
