// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// Reads the registrant's e-mail and the expiry date out of a registrar's whois
// page text.

#include <string>
#include <string_view>

namespace ostrevo {

enum class WhoisOutcome {
    Refused,  // no record, and the service says it takes no more queries: ask the other service
    None,     // no usable record
    Record,   // `record` holds the e-mail address and the expiry date
    NoAnswer, // the page never finished: stopped at its deadline, nothing read
};

struct WhoisRecord {
    std::string email;   // the registrant's address, see registrantEmail
    std::string expires; // year first: 2025/11/05
};

struct WhoisAnswer {
    WhoisOutcome outcome = WhoisOutcome::None;
    WhoisRecord record;
};

// An answer about an unknown domain ("No match for domain") is None. Otherwise
// the date is read from the first line holding "xpir" (any letter case) that
// states one; with an address that makes a Record. A page without a record is
// Refused when it holds one of the services' quota phrases.
WhoisAnswer ParseWhoisPage(std::string_view pageText);

} // namespace ostrevo
