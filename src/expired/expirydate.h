// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// Reads the expiry date out of the one line of a whois answer that holds it.

#include <optional>
#include <string>
#include <string_view>

namespace ostrevo {

// `line` is the text after "xpir" up to the end of its line, such as
// "es on 05-Nov-2025." or "y Date: 2028-09-13T04:00:00Z". The first three
// numbers and month names on it make the date, written year first
// ("2025/11/05"). Nothing when the line holds fewer than three values, a
// number too large to be one, or a date that fails its checks.
std::optional<std::string> expiryDateOf(std::string_view line);

} // namespace ostrevo
