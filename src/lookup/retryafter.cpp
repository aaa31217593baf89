// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "lookup/retryafter.h"

#include "lookup/boundedjson.h"

#include <array>
#include <chrono>
#include <string>
#include <vector>

namespace ostrevo {

namespace {

bool allDigits(std::string_view text)
{
    if (text.empty()) {
        return false;
    }
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
    }
    return true;
}

std::int64_t digitsValue(std::string_view text)
{
    std::int64_t value = 0;
    for (const char c : text) {
        value = value * 10 + (c - '0');
        if (value > 1'000'000'000) {
            return value;
        }
    }
    return value;
}

std::optional<std::int64_t> httpDate(std::string_view text)
{
    constexpr std::array<std::string_view, 12> Months = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
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
                year += year < 70 ? 2000 : 1900;
            }
        } else {
            for (std::size_t m = 0; m < Months.size(); ++m) {
                if (equalsIgnoringCase(word, Months[m])) {
                    month = static_cast<int>(m) + 1;
                }
            }
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
    while (!value.empty() && (value.front() == ' ' || value.front() == '\t')) {
        value.remove_prefix(1);
    }
    while (!value.empty() && (value.back() == ' ' || value.back() == '\t')) {
        value.remove_suffix(1);
    }
    if (allDigits(value)) {
        return digitsValue(value);
    }
    const std::optional<std::int64_t> at = httpDate(value);
    if (!at) {
        return std::nullopt;
    }
    return *at > nowUnixSeconds ? *at - nowUnixSeconds : 0;
}

} // namespace ostrevo
