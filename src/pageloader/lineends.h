// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// Page text reaches the parsers as UTF-8 with every line ended by CR LF,
// whatever the browser produced.

#include <string>
#include <string_view>

namespace ostrevo {

// The browser's UTF-16 text as UTF-8, every CR LF, lone CR and lone LF made
// CR LF, in one pass. A lone surrogate becomes '?', as Qt's own conversion
// writes it.
std::string utf8WithCrLfLineEnds(std::u16string_view text);

} // namespace ostrevo
