// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// The answer to "Urls containing words..." split into its words.

#include <string>
#include <string_view>
#include <vector>

namespace ostrevo {

// Words are separated by ";" and kept as typed (not trimmed); "a;b" gives a
// and b, ";;" gives three empty words. Any number of words.
std::vector<std::string> splitFilterWords(std::string_view answer);

} // namespace ostrevo
