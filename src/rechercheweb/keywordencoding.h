// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

#include <string>
#include <string_view>

namespace ostrevo {

// Keywords as they go into a result page URL: letters A-Z and a-z, digits,
// space, "-", "." and "_" stay; every other byte becomes "%" and two
// upper-case hex digits (so UTF-8 text is encoded byte by byte). Spaces are
// left as they are.
std::string EncodeKeywords(std::string_view keywords);

} // namespace ostrevo
