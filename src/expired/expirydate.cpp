// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "expired/expirydate.h"

#include "expired/whoisparser.h"
#include "textscan/textscan.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>

namespace ostrevo {
namespace {

// "-", ".", tab, line feed, carriage return, space, comma, semicolon.
constexpr std::string_view DateSeparators{"-.\t\n\r ,;", 8};

// A first value below this is a day (day-first layout), above it a year.
constexpr std::int32_t FirstYear = 1900;
// Years and days from here on are not dates.
constexpr std::int32_t YearLimit = 2200;
// A day-first year below this was written with two digits.
constexpr std::int32_t TwoDigitYearLimit = 100;
constexpr std::int32_t TwoDigitYearBase = 2000;

// The first three values of the line; later ones are not kept.
class DateValues {
public:
    void add(std::int32_t value)
    {
        if (m_count < static_cast<int>(m_slots.size())) {
            m_slots[static_cast<std::size_t>(m_count++)] = value;
        }
    }
    bool complete() const { return m_count == static_cast<int>(m_slots.size()); }
    std::int32_t operator[](std::size_t i) const { return m_slots[i]; }

private:
    std::array<std::int32_t, 3> m_slots{};
    int m_count = 0;
};

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The value of a text of digits (leading zeros allowed), or nothing when it
// does not fit a signed 32-bit integer. Spaces are passed over; tokens split
// on spaces never hold one.
std::optional<std::int32_t> decimalValue(std::string_view digits)
{
    std::int64_t value = 0;
    for (const char c : digits) {
        if (c == ' ') {
            continue;
        }
        value = value * 10 + (c - '0');
        if (value > std::numeric_limits<std::int32_t>::max()) {
            return std::nullopt;
        }
    }
    return static_cast<std::int32_t>(value);
}

// For an ISO 8601 date-time token such as 13T04:00:00Z or 13T00:00:00+07:00
// (the date's separators have already split off the year and the month), the
// number of leading digits, the day; 0 for any other token. The "T" must be
// followed by a time: digits, colons, "Z" or a "+" offset.
std::size_t dateTimeDayDigits(std::string_view token)
{
    std::size_t digits = 0;
    while (digits < token.size() && isDigit(token[digits])) {
        ++digits;
    }
    if (digits == 0 || digits + 1 >= token.size() || (token[digits] != 'T' && token[digits] != 't') ||
        !isDigit(token[digits + 1])) {
        return 0;
    }
    for (std::size_t i = digits + 1; i < token.size(); ++i) {
        const char c = token[i];
        if (!isDigit(c) && c != ':' && c != '+' && c != 'Z' && c != 'z') {
            return 0;
        }
    }
    return digits;
}

char asciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (asciiLower(a[i]) != asciiLower(b[i])) {
            return false;
        }
    }
    return true;
}

// Every abbreviation found in the token, spelt exactly, adds its month, so
// "Decision" counts as December. A token that is an abbreviation in another
// letter case ("sep", "SEP") counts as that month as well.
void addMonths(std::string_view token, DateValues& values)
{
    bool found = false;
    for (std::size_t i = 0; i < MonthNames.size(); ++i) {
        if (token.find(MonthNames[i]) != std::string_view::npos) {
            values.add(static_cast<std::int32_t>(i + 1));
            found = true;
        }
    }
    if (found) {
        return;
    }
    for (std::size_t i = 0; i < MonthNames.size(); ++i) {
        if (equalsIgnoringCase(token, MonthNames[i])) {
            values.add(static_cast<std::int32_t>(i + 1));
            return;
        }
    }
}

std::string twoDigits(std::int32_t value)
{
    return value < 10 ? "0" + std::to_string(value) : std::to_string(value);
}

// The date characters, plus the "/" the assembly writes itself, so that a
// system whose date separator is not "/" still accepts assembled dates.
bool isAssembledDateText(const std::string& text)
{
    for (const char c : text) {
        if (c != '/' && !IsDateText(std::string_view(&c, 1))) {
            return false;
        }
    }
    return !text.empty();
}

// Trimmed of spaces and control characters, something is left.
bool hasVisibleText(std::string_view text)
{
    for (const char c : text) {
        if (static_cast<unsigned char>(c) > ' ') {
            return true;
        }
    }
    return false;
}

} // namespace

std::optional<std::string> expiryDateOf(std::string_view line)
{
    DateValues values;
    std::int32_t cursor = 1;
    while (!values.complete()) {
        const std::string_view token = NextToken(line, DateSeparators, cursor);
        if (token.empty()) {
            return std::nullopt; // fewer than three values
        }
        if (IsNumeric(token)) {
            const auto value = decimalValue(token);
            if (!value) {
                return std::nullopt;
            }
            values.add(*value);
        } else if (const std::size_t digits = dateTimeDayDigits(token); digits > 0) {
            const auto value = decimalValue(token.substr(0, digits));
            if (!value) {
                return std::nullopt;
            }
            values.add(*value);
            // The time and its zone offset follow; none of it is a date value.
            if (!values.complete()) {
                return std::nullopt;
            }
        } else {
            addMonths(token, values);
        }
    }

    const std::int32_t first = values[0];
    const std::int32_t month = values[1];
    const std::int32_t third = values[2];
    if (first >= YearLimit || third >= YearLimit) {
        return std::nullopt;
    }

    std::string date;
    bool assembled = true;
    if (first < FirstYear) {
        // Day first: the third value is the year. Completing a two-digit year
        // only here keeps the layout choice and the bounds on the values as
        // written: 05-Nov-25 is 2025/11/05.
        const std::int32_t year = third < TwoDigitYearLimit ? TwoDigitYearBase + third : third;
        date = std::to_string(year) + "/" + twoDigits(month) + "/" + twoDigits(first);
    } else if (first > FirstYear) {
        date = std::to_string(first) + "/" + twoDigits(month) + "/" + twoDigits(third);
    } else {
        // Neither layout: the line itself, if it looks like a date.
        date = std::string(line);
        assembled = false;
    }

    const bool dateText = assembled ? isAssembledDateText(date) : IsDateText(date);
    if (!dateText || !hasVisibleText(date)) {
        return std::nullopt;
    }
    return date;
}

} // namespace ostrevo
