// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "spreadsheet/spreadsheetvalue.h"

#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>

namespace ostrevo {

namespace {

// Beyond 2^53 not every whole number is a double: the shortest form says
// what the value really is.
constexpr double kLargestExactWhole = 9007199254740992.0;
constexpr double kSecondsPerDay = 86400.0;
// 9999-12-31 in the 1900 system, the last day a spreadsheet shows.
constexpr double kLastSerial1900 = 2958465.0;
constexpr int kLastSerial1904Offset = 1462;

struct TextOf {
    std::string operator()(std::monostate) const { return {}; }
    std::string operator()(const CellError&) const { return {}; }
    std::string operator()(const std::string& text) const { return text; }
    std::string operator()(double number) const { return NumberText(number); }
    std::string operator()(bool value) const { return value ? "TRUE" : "FALSE"; }
    std::string operator()(const SheetDateTime& dateTime) const { return DateTimeText(dateTime); }
};

bool digitsAt(std::string_view text, std::size_t pos, std::size_t count, int& value)
{
    if (pos + count > text.size()) {
        return false;
    }
    value = 0;
    for (std::size_t i = pos; i < pos + count; ++i) {
        if (text[i] < '0' || text[i] > '9') {
            return false;
        }
        value = value * 10 + (text[i] - '0');
    }
    return true;
}

bool validDate(int year, int month, int day)
{
    const std::chrono::year_month_day date{std::chrono::year{year},
                                           std::chrono::month{static_cast<unsigned>(month)},
                                           std::chrono::day{static_cast<unsigned>(day)}};
    return year >= 1 && date.ok();
}

bool validTime(int hour, int minute, int second)
{
    return hour < 24 && minute < 60 && second < 60;
}

// "HH:MM:SS" at `pos`, then nothing, a fraction of seconds or a zone.
bool timeAt(std::string_view text, std::size_t pos, SheetDateTime& out)
{
    if (!digitsAt(text, pos, 2, out.hour) || pos + 2 >= text.size() || text[pos + 2] != ':' ||
        !digitsAt(text, pos + 3, 2, out.minute)) {
        return false;
    }
    std::size_t end = pos + 5;
    out.second = 0;
    if (end < text.size() && text[end] == ':') {
        if (!digitsAt(text, end + 1, 2, out.second)) {
            return false;
        }
        end += 3;
    }
    if (end < text.size() && text[end] != '.' && text[end] != 'Z' && text[end] != '+' && text[end] != '-') {
        return false;
    }
    return validTime(out.hour, out.minute, out.second);
}

} // namespace

std::string CellText(const CellValue& value)
{
    return std::visit(TextOf{}, value);
}

std::string NumberText(double number)
{
    if (number == 0.0) {
        return "0"; // also -0
    }
    if (std::isfinite(number) && std::trunc(number) == number && std::fabs(number) <= kLargestExactWhole) {
        return std::to_string(static_cast<long long>(number));
    }
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, number);
    return std::string(buffer, result.ptr);
}

std::string DateTimeText(const SheetDateTime& dateTime)
{
    char buffer[48];
    int length = 0;
    switch (dateTime.part) {
    case SheetDateTime::Part::Date:
        length = std::snprintf(buffer, sizeof buffer, "%04d/%02d/%02d", dateTime.year, dateTime.month,
                               dateTime.day);
        break;
    case SheetDateTime::Part::Time:
    case SheetDateTime::Part::Elapsed:
        length = std::snprintf(buffer, sizeof buffer, "%02d:%02d:%02d", dateTime.hour, dateTime.minute,
                               dateTime.second);
        break;
    case SheetDateTime::Part::DateTime:
        length = std::snprintf(buffer, sizeof buffer, "%04d/%02d/%02d %02d:%02d:%02d", dateTime.year,
                               dateTime.month, dateTime.day, dateTime.hour, dateTime.minute, dateTime.second);
        break;
    }
    return std::string(buffer, static_cast<std::size_t>(length > 0 ? length : 0));
}

std::optional<SheetDateTime> DateFromSerial(double serial, bool date1904, SheetDateTime::Part part)
{
    const double last = date1904 ? kLastSerial1900 - kLastSerial1904Offset : kLastSerial1900;
    if (!(serial >= 0.0) || serial >= last + 1.0) {
        return std::nullopt; // also NaN
    }
    // Whole seconds: 0.9999999 of a day is the next midnight, as shown.
    auto seconds = static_cast<long long>(std::llround(serial * kSecondsPerDay));
    if (seconds >= static_cast<long long>((last + 1.0) * kSecondsPerDay)) {
        seconds = static_cast<long long>((last + 1.0) * kSecondsPerDay) - 1;
    }
    const long long days = seconds / 86400;
    const long long secondOfDay = seconds % 86400;

    SheetDateTime out;
    out.part = part;
    out.hour = static_cast<int>(secondOfDay / 3600);
    out.minute = static_cast<int>(secondOfDay / 60 % 60);
    out.second = static_cast<int>(secondOfDay % 60);
    if (part == SheetDateTime::Part::Elapsed) {
        out.hour = static_cast<int>(seconds / 3600);
        return out;
    }

    using namespace std::chrono;
    if (date1904) {
        const year_month_day date{sys_days{year{1904} / January / 1} + std::chrono::days{days}};
        out.year = static_cast<int>(date.year());
        out.month = static_cast<int>(static_cast<unsigned>(date.month()));
        out.day = static_cast<int>(static_cast<unsigned>(date.day()));
        return out;
    }
    // The 1900 system counts 1900 as a leap year: serial 60 is 29 February,
    // serial 0 is "0 January 1900".
    if (days == 0) {
        out.year = 1900;
        out.month = 1;
        out.day = 0;
        return out;
    }
    if (days == 60) {
        out.year = 1900;
        out.month = 2;
        out.day = 29;
        return out;
    }
    const long long fromEpoch = days < 60 ? days : days - 1; // days after 31 December 1899
    const year_month_day date{sys_days{year{1899} / December / 31} + std::chrono::days{fromEpoch}};
    out.year = static_cast<int>(date.year());
    out.month = static_cast<int>(static_cast<unsigned>(date.month()));
    out.day = static_cast<int>(static_cast<unsigned>(date.day()));
    return out;
}

std::optional<SheetDateTime> ParseIsoDateTime(std::string_view text)
{
    SheetDateTime out;
    if (text.size() >= 3 && text[2] == ':') {
        out.part = SheetDateTime::Part::Time;
        return timeAt(text, 0, out) ? std::optional(out) : std::nullopt;
    }
    if (!digitsAt(text, 0, 4, out.year) || text.size() < 10 || text[4] != '-' || text[7] != '-' ||
        !digitsAt(text, 5, 2, out.month) || !digitsAt(text, 8, 2, out.day) ||
        !validDate(out.year, out.month, out.day)) {
        return std::nullopt;
    }
    if (text.size() == 10) {
        out.part = SheetDateTime::Part::Date;
        return out;
    }
    if (text[10] != 'T' && text[10] != ' ') {
        return std::nullopt;
    }
    out.part = SheetDateTime::Part::DateTime;
    return timeAt(text, 11, out) ? std::optional(out) : std::nullopt;
}

} // namespace ostrevo
