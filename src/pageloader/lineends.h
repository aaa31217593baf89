// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// Page text reaches the parsers with every line ended by CR LF, whatever the
// browser produced.

#include <string>
#include <string_view>

namespace ostrevo {

// Every CR LF, lone CR and lone LF becomes CR LF.
std::string withCrLfLineEnds(std::string_view text);

} // namespace ostrevo
