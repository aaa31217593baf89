// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "rechercheweb/retryafter.h"

#include "rechercheweb/textkey.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

namespace ostrevo {
namespace {

constexpr std::array<std::string_view, 12> Months = {"jan", "feb", "mar", "apr", "may", "jun",
                                                     "jul", "aug", "sep", "oct", "nov", "dec"};

bool allDigits(std::string_view text)
{
    return !text.empty() && text.size() <= 10 &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::optional<int> number(std::string_view text)
{
    if (!allDigits(text)) {
        return std::nullopt;
    }
    std::int64_t value = 0;
    for (const char c : text) {
        value = value * 10 + (c - '0');
    }
    return value > 100000 ? std::nullopt : std::optional<int>(static_cast<int>(value));
}

int monthOf(std::string_view text)
{
    const auto found = std::find(Months.begin(), Months.end(), asciiLower(text));
    return found == Months.end() ? 0 : static_cast<int>(found - Months.begin()) + 1;
}

// Days from 1970-01-01 to the given civil date (proleptic Gregorian).
std::int64_t daysFromCivil(std::int64_t y, int m, int d)
{
    y -= m <= 2 ? 1 : 0;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yoe = y - era * 400;
    const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

std::vector<std::string_view> tokens(std::string_view text)
{
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == ' ' || text[i] == ',' || text[i] == '-' || text[i] == ':') {
            if (i > start) {
                parts.push_back(text.substr(start, i - start));
            }
            start = i + 1;
        }
    }
    return parts;
}

// "Sun, 06 Nov 1994 08:49:37 GMT", "Sunday, 06-Nov-94 08:49:37 GMT" or
// "Sun Nov  6 08:49:37 1994", as seconds since 1970.
std::optional<std::int64_t> httpDate(std::string_view text)
{
    const std::vector<std::string_view> t = tokens(text);
    if (t.size() < 7) {
        return std::nullopt;
    }
    const bool asctime = monthOf(t[1]) != 0;
    const int month = monthOf(asctime ? t[1] : t[2]);
    const std::optional<int> day = number(asctime ? t[2] : t[1]);
    std::optional<int> year = number(asctime ? t[6] : t[3]);
    const std::optional<int> hour = number(asctime ? t[3] : t[4]);
    const std::optional<int> minute = number(asctime ? t[4] : t[5]);
    const std::optional<int> second = number(asctime ? t[5] : t[6]);
    if (month == 0 || !day || !year || !hour || !minute || !second || *day < 1 || *day > 31 || *hour > 23 ||
        *minute > 59 || *second > 60) {
        return std::nullopt;
    }
    if (*year < 100) {
        // Two-digit years of the obsolete form: the nearer century.
        *year += *year < 70 ? 2000 : 1900;
    }
    return daysFromCivil(*year, month, *day) * 86400 + *hour * 3600 + *minute * 60 + *second;
}

} // namespace

std::optional<std::int64_t> parseRetryAfter(std::string_view value, std::time_t now)
{
    value = trimBlanks(value);
    if (allDigits(value)) {
        std::int64_t seconds = 0;
        for (const char c : value) {
            seconds = seconds * 10 + (c - '0');
        }
        return seconds;
    }
    const std::optional<std::int64_t> at = httpDate(value);
    if (!at) {
        return std::nullopt;
    }
    return std::max<std::int64_t>(0, *at - static_cast<std::int64_t>(now));
}

} // namespace ostrevo
