// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "net/retryafter.h"

#include "textscan/textkey.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <vector>

namespace ostrevo {

namespace {

// Longer than any pause a server could mean: ten digits are over 300 years.
constexpr std::size_t MaxDelayDigits = 10;

bool allDigits(std::string_view text)
{
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::int64_t digitsValue(std::string_view text)
{
    std::int64_t value = 0;
    for (const char c : text.substr(0, MaxDelayDigits)) {
        value = value * 10 + (c - '0');
    }
    return value;
}

int monthOf(std::string_view word)
{
    constexpr std::array<std::string_view, 12> Months = {"jan", "feb", "mar", "apr", "may", "jun",
                                                         "jul", "aug", "sep", "oct", "nov", "dec"};
    const auto found = std::find(Months.begin(), Months.end(), asciiLower(word));
    return found == Months.end() ? 0 : static_cast<int>(found - Months.begin()) + 1;
}

// Any of the three forms, as seconds since 1970: the words are told apart by
// their shape, so their order does not matter.
std::optional<std::int64_t> httpDate(std::string_view text)
{
    std::vector<std::string_view> words;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == ' ' || text[i] == ',' || text[i] == '-') {
            if (i > start) {
                words.push_back(text.substr(start, i - start));
            }
            start = i + 1;
        }
    }
    int month = 0;
    std::int64_t day = -1;
    std::int64_t year = -1;
    std::int64_t seconds = -1;
    for (const std::string_view word : words) {
        if (word.size() == 8 && word[2] == ':' && word[5] == ':' && allDigits(word.substr(0, 2)) &&
            allDigits(word.substr(3, 2)) && allDigits(word.substr(6, 2))) {
            seconds = digitsValue(word.substr(0, 2)) * 3600 + digitsValue(word.substr(3, 2)) * 60 +
                      digitsValue(word.substr(6, 2));
        } else if (allDigits(word) && word.size() <= 2 && day < 0) {
            day = digitsValue(word);
        } else if (allDigits(word) && (word.size() == 4 || word.size() == 2)) {
            year = digitsValue(word);
            if (word.size() == 2) {
                // Two-digit years of the obsolete form: the nearer century.
                year += year < 70 ? 2000 : 1900;
            }
        } else if (const int m = monthOf(word)) {
            month = m;
        }
    }
    if (month == 0 || day < 1 || day > 31 || year < 1970 || year > 9999 || seconds < 0 || seconds >= 86400) {
        return std::nullopt;
    }
    using namespace std::chrono;
    const year_month_day date{std::chrono::year(static_cast<int>(year)),
                              std::chrono::month(static_cast<unsigned>(month)),
                              std::chrono::day(static_cast<unsigned>(day))};
    if (!date.ok()) {
        return std::nullopt;
    }
    return sys_days(date).time_since_epoch().count() * 86400LL + seconds;
}

} // namespace

std::optional<std::int64_t> retryAfterSeconds(std::string_view value, std::int64_t nowUnixSeconds)
{
    value = trimBlanks(value);
    if (allDigits(value)) {
        return value.size() <= MaxDelayDigits ? std::optional<std::int64_t>(digitsValue(value))
                                              : std::nullopt;
    }
    const std::optional<std::int64_t> at = httpDate(value);
    if (!at) {
        return std::nullopt;
    }
    return std::max<std::int64_t>(0, *at - nowUnixSeconds);
}

} // namespace ostrevo
