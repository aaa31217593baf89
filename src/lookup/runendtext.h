// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// The notice at the end of a lookup run: the registered domains it found, and
// the hosts no server answered for, named up to a few so that the notice stays
// short.

#include <cstddef>
#include <string>
#include <vector>

namespace ostrevo {

// Hosts named in the notice at most; the rest are counted.
inline constexpr std::size_t MaxNamedUnanswered = 5;

// "Lookup finished: 3 domains found; no answer for a.com, b.net". Only DNS
// names are named: the hosts came from outside.
std::string runEndText(std::size_t registeredFound, const std::vector<std::string>& unanswered);

} // namespace ostrevo
