// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// Reads the expiry date out of the text that follows an expiry label on one
// line of a whois answer.

#include <optional>
#include <string>
#include <string_view>

namespace ostrevo {

// `line` is the text after an expiry label up to the end of its line, such
// as "es on 05-Nov-2025." or "y Date: 2028-09-13T04:00:00Z". Its first three
// date values make the date: numbers, wherever they stand (also glued to a
// label), and month names; eight digits first ("20200518") are year, month
// and day. Times of day, fractions of seconds, zone offsets and other words
// are not values. A month name is the month; a four-digit number the year;
// the number left over the day. Without a month name, a layout hint before
// the date ("(dd/mm/yyyy)", "(MM/DD/YYYY)") orders day and month; otherwise
// the year comes first (year-month-day) or last (day-month-year, or
// month-day-year when only that is a date; with "/" only when the two
// readings agree). Without a four-digit year the layout is day-month-year
// (or the hint's) with a two-digit year in this century. Written year first
// ("2025/11/05"); nothing unless it is a real calendar day in a year from
// 1985 to 2199, and nothing when more than 16 other words come before the
// first value (notices that name the expiry in prose).
std::optional<std::string> expiryDateOf(std::string_view line);

} // namespace ostrevo
