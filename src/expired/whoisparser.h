// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// Reads the registrant's e-mail and the expiry date out of a registrar's whois
// page text (lines ending in CR LF).

#include <array>
#include <string>
#include <string_view>

namespace ostrevo {

enum class WhoisOutcome {
    Refused, // the service refused the query ("exceed"): try the other service next
    None,    // no usable record
    Record,  // `record` holds the e-mail token and the expiry date
};

struct WhoisRecord {
    std::string email;   // first token of the page containing '@', unchanged
    std::string expires; // year first: 2025/11/05
};

struct WhoisAnswer {
    WhoisOutcome outcome = WhoisOutcome::None;
    WhoisRecord record;
};

inline constexpr std::array<std::string_view, 12> MonthNames = {
    "Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

WhoisAnswer ParseWhoisPage(std::string_view pageText);

} // namespace ostrevo
