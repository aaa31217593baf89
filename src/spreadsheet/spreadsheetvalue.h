// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// The value of one spreadsheet cell and the text it becomes in the result
// table: numbers and dates written the way a user reads them, dates year first
// like the program's expiry dates (2025/11/05).

#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace ostrevo {

// An error value such as #DIV/0!.
struct CellError {
    bool operator==(const CellError&) const = default;
};

struct SheetDateTime {
    // Elapsed: a duration in hours, minutes and seconds ([h]:mm:ss); `hour`
    // then counts every hour, days included.
    enum class Part { Date, Time, DateTime, Elapsed };
    int year = 1900;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
    Part part = Part::Date; // what the cell shows
    bool operator==(const SheetDateTime&) const = default;
};

// Empty (std::monostate), error, text (UTF-8), number, boolean, date.
using CellValue = std::variant<std::monostate, CellError, std::string, double, bool, SheetDateTime>;

// The cell's text: empty for an empty cell or an error value.
std::string CellText(const CellValue& value);

// A whole number without a fraction ("42"), any other number in the shortest
// form that reads back as the same value ("3.25", "0.1", "1e+20").
std::string NumberText(double number);

// "2025/11/05", "2025/11/05 13:30:00", "13:30:00" or, elapsed, "36:00:00".
std::string DateTimeText(const SheetDateTime& dateTime);

// A spreadsheet date serial (days since the epoch of the workbook's date
// system, the fraction being the time of day) shown as `part`. The 1900
// system keeps its fictitious 29 February 1900 (serial 60). Nothing for a
// serial outside 0 to 9999-12-31 or not a number.
std::optional<SheetDateTime> DateFromSerial(double serial, bool date1904, SheetDateTime::Part part);

// "2025-11-05", "2025-11-05T13:30:00" (optionally with fraction and zone, which
// are ignored), "2025-11-05 13:30:00" or "13:30:00".
std::optional<SheetDateTime> ParseIsoDateTime(std::string_view text);

} // namespace ostrevo
