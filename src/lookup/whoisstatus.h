// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// The status codes a whois page lists on its "Domain Status:" lines.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ostrevo {

// The value of a whois "Domain Status:" line (or "Status:"), without the
// ICANN address or the remark that may follow; nothing for other lines.
std::optional<std::string> whoisStatusOfLine(std::string_view line);
// Every status value on a whois page, in page order, at most 32.
std::vector<std::string> whoisStatusWords(std::string_view page);

} // namespace ostrevo
