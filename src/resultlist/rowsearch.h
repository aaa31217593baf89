// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// Typing in the result list jumps to the next row whose caption, as shown,
// starts with the typed text. Reads the captions directly, so that a keystroke
// stays quick in a table of a million rows.

#include <string_view>

namespace ostrevo {

class ResultTable;

// The first row from `start` on (wrapping round to the rows before it) whose
// shown caption starts with `typed`, ignoring the case of ASCII letters; -1
// when none does. `hidePrefixes`: captions are shown without their link
// prefixes.
int findRowByTypedText(const ResultTable& table, std::string_view typed, int start, bool hidePrefixes);

} // namespace ostrevo
