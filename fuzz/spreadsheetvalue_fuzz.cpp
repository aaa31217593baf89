// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
//
// Any bytes as a number format code, an ISO date text and a date serial, as a
// workbook file may hold them: nothing may crash and every date shown must be
// one a calendar has (or the 1900 system's day 0 and 29 February 1900).

#include "spreadsheet/spreadsheetformat.h"
#include "spreadsheet/spreadsheetvalue.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

namespace {

using namespace ostrevo;

void check(bool condition)
{
    if (!condition) {
        std::abort();
    }
}

void checkDate(const SheetDateTime& date)
{
    check(date.year >= 1900 && date.year <= 9999);
    check(date.month >= 1 && date.month <= 12 && date.day >= 0 && date.day <= 31);
    const int hourLimit = date.part == SheetDateTime::Part::Elapsed ? 24 * 3000000 : 24;
    check(date.hour >= 0 && date.hour < hourLimit && date.minute >= 0 && date.minute < 60);
    check(date.second >= 0 && date.second < 60);
    check(!DateTimeText(date).empty());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    (void)FormatCodeKind(text);
    if (const auto date = ParseIsoDateTime(text)) {
        check(date->year >= 0 && date->year <= 9999 && date->month >= 1 && date->month <= 12);
        check(!DateTimeText(*date).empty());
    }
    if (size >= sizeof(double)) {
        double serial = 0;
        std::memcpy(&serial, data, sizeof serial);
        const bool date1904 = size > sizeof(double) && (data[sizeof(double)] & 1) != 0;
        for (const auto part : {SheetDateTime::Part::Date, SheetDateTime::Part::Time,
                                SheetDateTime::Part::DateTime, SheetDateTime::Part::Elapsed}) {
            if (const auto date = DateFromSerial(serial, date1904, part)) {
                checkDate(*date);
            }
        }
        const std::string number = NumberText(serial);
        check(!number.empty());
        if (std::isfinite(serial)) {
            check(std::strtod(number.c_str(), nullptr) == serial);
        }
    }
    return 0;
}
