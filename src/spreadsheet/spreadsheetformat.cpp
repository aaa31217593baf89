// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "spreadsheet/spreadsheetformat.h"

namespace ostrevo {

namespace {

using Part = SheetDateTime::Part;

char lower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool startsWithNoCase(std::string_view text, std::size_t pos, std::string_view prefix)
{
    if (text.size() - pos < prefix.size()) {
        return false;
    }
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (lower(text[pos + i]) != lower(prefix[i])) {
            return false;
        }
    }
    return true;
}

DateFormatKind kindOf(bool date, bool time, bool elapsed)
{
    if (elapsed && !date) {
        return Part::Elapsed;
    }
    if (date && time) {
        return Part::DateTime;
    }
    if (date) {
        return Part::Date;
    }
    if (time) {
        return Part::Time;
    }
    return std::nullopt;
}

} // namespace

DateFormatKind BuiltInFormatKind(int formatId)
{
    switch (formatId) {
    case 14: // m/d/yyyy
    case 15: // d-mmm-yy
    case 16: // d-mmm
    case 17: // mmm-yy
        return Part::Date;
    case 18: // h:mm AM/PM
    case 19: // h:mm:ss AM/PM
    case 20: // h:mm
    case 21: // h:mm:ss
    case 45: // mm:ss
    case 47: // mm:ss.0
        return Part::Time;
    case 46: // [h]:mm:ss
        return Part::Elapsed;
    case 22: // m/d/yyyy h:mm
        return Part::DateTime;
    default:
        break;
    }
    // East Asian locales number their own date and time formats here.
    if ((formatId >= 27 && formatId <= 31) || formatId == 36 || (formatId >= 50 && formatId <= 58)) {
        return Part::Date;
    }
    if (formatId >= 32 && formatId <= 35) {
        return Part::Time;
    }
    return std::nullopt;
}

DateFormatKind FormatCodeKind(std::string_view code)
{
    bool date = false;    // y, d, e (era year), or m without hours or seconds
    bool time = false;    // h, s, AM/PM
    bool month = false;   // m: month, or minutes next to h and s
    bool elapsed = false; // [h], [mm], [ss]: a duration, not a time of day
    for (std::size_t i = 0; i < code.size(); ++i) {
        const char c = code[i];
        if (c == ';') {
            break; // only the format of positive numbers
        }
        if (c == '"') {
            const std::size_t close = code.find('"', i + 1);
            if (close == std::string_view::npos) {
                break;
            }
            i = close;
            continue;
        }
        if (c == '\\' || c == '_' || c == '*') {
            ++i; // an escaped character, a space as wide as one, a fill
            continue;
        }
        if (c == '[') {
            const std::size_t close = code.find(']', i + 1);
            if (close == std::string_view::npos) {
                break;
            }
            // [h], [mm], [ss]: elapsed time; anything else is a colour,
            // a condition or a locale tag.
            const std::string_view inside = code.substr(i + 1, close - i - 1);
            if (!inside.empty() && inside.find_first_not_of("hHmMsS") == std::string_view::npos) {
                time = true;
                elapsed = true;
            }
            i = close;
            continue;
        }
        if (startsWithNoCase(code, i, "general")) {
            i += 6;
            continue;
        }
        if (startsWithNoCase(code, i, "am/pm")) {
            time = true;
            i += 4;
            continue;
        }
        if (startsWithNoCase(code, i, "a/p")) {
            time = true;
            i += 2;
            continue;
        }
        switch (lower(c)) {
        case 'y':
        case 'd':
            date = true;
            break;
        case 'e':
            // "0.00E+00" is scientific notation; otherwise e is the era year.
            if (i + 1 < code.size() && (code[i + 1] == '+' || code[i + 1] == '-')) {
                ++i;
            } else {
                date = true;
            }
            break;
        case 'h':
        case 's':
            time = true;
            break;
        case 'm':
            month = true;
            break;
        default:
            break;
        }
    }
    if (month && !time) {
        date = true;
    }
    return kindOf(date, time, elapsed);
}

} // namespace ostrevo
