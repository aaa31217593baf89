// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// The colour of a result row's "Expires" cell: red in the year a domain
// expires, fading through orange and yellow over the five years before, white
// otherwise. The year is read from the start of the expiry text. The cell's
// text is black or white, whichever readableTextOn picks for its colour, in
// the window and in every file that shows the colours.

#include "platform/colourcontrast.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace ostrevo {

// The text before the first "/" (all of it without one), as a whole decimal
// number (leading blanks and a sign allowed) wrapped to 16 bits; nothing when
// it is not a number that fits in 32 bits.
std::optional<std::uint16_t> expiryYear(std::string_view expiryText);

// Brush colour for an expiry `yearsLeft` years after the current year.
Rgb expiryColourForYearsLeft(int yearsLeft);

// Brush colour of an "Expires" cell, or nothing when its year is not a number
// (the cell then keeps the table's colours).
std::optional<Rgb> expiryCellColour(std::string_view expiryText, int currentYear);

} // namespace ostrevo
