// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// Text comparison as the user's language orders and matches words. Texts are
// UTF-8; malformed bytes are tolerated and give deterministic results.

#include <string>
#include <string_view>

namespace ostrevo {

// Sort key for captions: comparing two keys bytewise (std::string's operator<,
// memcmp with the shorter prefix first) orders the texts as the user's locale
// does, case-sensitively. Texts the collator finds equal are ordered by their
// bytes, so the order is total.
std::string captionSortKey(std::string_view utf8);

// Negative, zero or positive as `a` sorts before, with or after `b`; the same
// order as the sort keys.
int compareCaptions(std::string_view a, std::string_view b);

// Equal for two texts exactly when they are equal ignoring letter case (full
// case folding, canonically equivalent forms counted as equal).
std::string caseFoldKey(std::string_view utf8);

bool sameTextIgnoringCase(std::string_view a, std::string_view b);

} // namespace ostrevo
