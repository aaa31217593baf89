// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// International host names in their ASCII form, by ICU's IDNA2008 (UTS #46,
// nontransitional) rules. Kept here, where ICU already is, so the core's
// host check stays on the standard library.

#include <optional>
#include <string>
#include <string_view>

namespace ostrevo {

// "bücher.com" gives "xn--bcher-kva.com"; nothing when ICU reports any error
// (a disallowed character such as a direction override, a bad label).
std::optional<std::string> internationalHostToAscii(std::string_view utf8);

} // namespace ostrevo
