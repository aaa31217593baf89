// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "lookup/rdapdate.h"

#include <chrono>
#include <cstdio>

namespace ostrevo {

namespace {

// Reads exactly `digits` decimal digits at `pos`.
std::optional<int> number(std::string_view text, std::size_t& pos, int digits)
{
    if (pos + static_cast<std::size_t>(digits) > text.size()) {
        return std::nullopt;
    }
    int value = 0;
    for (int i = 0; i < digits; ++i) {
        const char c = text[pos++];
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
    }
    return value;
}

bool skip(std::string_view text, std::size_t& pos, char wanted)
{
    if (pos < text.size() && text[pos] == wanted) {
        ++pos;
        return true;
    }
    return false;
}

} // namespace

std::optional<std::string> tableDateOfRdapDate(std::string_view text)
{
    using namespace std::chrono;
    std::size_t pos = 0;
    const auto year = number(text, pos, 4);
    const bool dash1 = skip(text, pos, '-');
    const auto month = number(text, pos, 2);
    const bool dash2 = skip(text, pos, '-');
    const auto day = number(text, pos, 2);
    if (!year || !month || !day || !dash1 || !dash2) {
        return std::nullopt;
    }
    const year_month_day date{std::chrono::year(*year), std::chrono::month(static_cast<unsigned>(*month)),
                              std::chrono::day(static_cast<unsigned>(*day))};
    if (!date.ok()) {
        return std::nullopt;
    }

    int minutes = 0; // time of day, then minus the zone's offset
    if (pos < text.size() && (text[pos] == 'T' || text[pos] == 't' || text[pos] == ' ')) {
        ++pos;
        const auto hour = number(text, pos, 2);
        const bool colon1 = skip(text, pos, ':');
        const auto minute = number(text, pos, 2);
        if (!hour || !colon1 || !minute || *hour > 23 || *minute > 59) {
            return std::nullopt;
        }
        minutes = *hour * 60 + *minute;
        if (skip(text, pos, ':')) {
            const auto second = number(text, pos, 2);
            if (!second || *second > 60) {
                return std::nullopt;
            }
            if (skip(text, pos, '.')) {
                const std::size_t fractionStart = pos;
                while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') {
                    ++pos;
                }
                if (pos == fractionStart) {
                    return std::nullopt;
                }
            }
        }
        if (skip(text, pos, 'Z') || skip(text, pos, 'z')) {
        } else if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
            const int sign = text[pos++] == '+' ? 1 : -1;
            const auto offsetHours = number(text, pos, 2);
            skip(text, pos, ':');
            const auto offsetMinutes = number(text, pos, 2);
            if (!offsetHours || !offsetMinutes || *offsetHours > 23 || *offsetMinutes > 59) {
                return std::nullopt;
            }
            minutes -= sign * (*offsetHours * 60 + *offsetMinutes);
        }
    }
    if (pos != text.size()) {
        return std::nullopt;
    }

    const sys_days utcDay = sys_days(date) + days(minutes < 0 ? -1 : minutes >= 24 * 60 ? 1 : 0);
    const year_month_day utc(utcDay);
    const int utcYear = static_cast<int>(utc.year());
    if (utcYear < 1 || utcYear > 9999) {
        return std::nullopt;
    }
    char written[16];
    std::snprintf(written, sizeof written, "%04d/%02u/%02u", utcYear, static_cast<unsigned>(utc.month()),
                  static_cast<unsigned>(utc.day()));
    return std::string(written);
}

} // namespace ostrevo
