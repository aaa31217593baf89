// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// Where a word of UTF-8 page text ends: at blanks, at any Unicode space, and at
// the separators pages put between the parts of a breadcrumb or a title.

#include <cstddef>
#include <string_view>

namespace ostrevo {

// The byte length of the break starting at `at`; 0 when the code point there
// is no break (or is not valid UTF-8).
std::size_t breakLengthAt(std::string_view text, std::size_t at);

// The byte length of the break ending just before `end`; 0 when there is none.
std::size_t breakLengthBefore(std::string_view text, std::size_t end);

// The code point starting at `at` is beyond ASCII and is no break: a letter
// of a word, or bytes that are not UTF-8.
bool isNonAsciiWordAt(std::string_view text, std::size_t at);
bool isNonAsciiWordBefore(std::string_view text, std::size_t end);

// The byte length of the space (an ASCII blank or any Unicode space) starting at `at`; 0 when there is none.
std::size_t spaceLengthAt(std::string_view text, std::size_t at);

// U+203A, the breadcrumb arrow between a site and its path.
inline constexpr std::string_view kBreadcrumbArrow = "\xE2\x80\xBA";

} // namespace ostrevo
