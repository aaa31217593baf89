// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// Scanning helpers over 8-bit page text. Positions count from 1; the cursor is
// in/out: where to start on entry, where the next call starts on return, 0 when
// nothing is left (or the arguments were refused).
//
// Returned views point into `text`: copy them before `text` goes away.
// Texts may hold any bytes. A text longer than INT32_MAX bytes is handled as
// if it ended there, since no cursor can name a later position.
//
// A double quote opens and closes a stretch in which no separator counts; it
// is never a separator itself, even when a set lists it.

#include <cstdint>
#include <string_view>

namespace ostrevo {

// Position of the first separator at or after `start` that is not inside a
// double-quoted stretch (the quote state starts off at `start`), or 0.
// A set longer than 256 characters finds nothing.
std::int32_t FindSeparator(std::string_view text, std::string_view separators, std::int32_t start);

// Position of the first occurrence of `marker` at or after `start`, or 0.
// Markers that are empty or longer than 256 characters are not searched.
std::int32_t FindMarker(std::string_view text, std::string_view marker, std::int32_t start);

// Skips separators, then takes characters up to the next separator (consumed).
// An empty token means the end was reached.
std::string_view NextToken(std::string_view text, std::string_view separators, std::int32_t& cursor);

// Like NextToken without skipping: adjacent separators delimit an empty field.
std::string_view FieldOf(std::string_view text, std::string_view separators, std::int32_t& cursor);

// The text strictly between the first `startMarker` at or after the cursor and
// the first `endMarker` after it; the cursor moves past the end marker.
std::string_view TextBetween(std::string_view text, std::string_view startMarker, std::string_view endMarker,
                             std::int32_t& cursor);

// An ASCII control character: below the space, or DEL.
constexpr bool IsControlChar(char c) noexcept
{
    const auto u = static_cast<unsigned char>(c);
    return u < 0x20 || u == 0x7F;
}

// Non-empty and only digits and spaces.
bool IsNumeric(std::string_view text);

// Non-empty and only spaces, the system date and time separators, '-', 'A',
// 'M', 'P' and digits.
bool IsDateText(std::string_view text);

} // namespace ostrevo
