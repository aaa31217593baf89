// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// The registrant's e-mail address in a whois answer.

#include <string_view>

namespace ostrevo {

// The address alone (no label, brackets, quotes or trailing punctuation),
// pointing into `page`. An address on a line that names the registrant wins,
// then one on a line naming the administrative contact, then the first
// address of the page. Empty when the page holds none.
std::string_view registrantEmail(std::string_view page);

} // namespace ostrevo
