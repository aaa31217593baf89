// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// Reads the expiry date and the registrant's e-mail (or contact form) out of a
// registrar's whois page text.

#include <string>
#include <string_view>
#include <vector>

namespace ostrevo {

enum class WhoisOutcome {
    Refused,       // no record, and the service says it takes no more queries: ask the other service
    None,          // nothing readable
    Record,        // `record` holds the expiry date, and the e-mail address or contact form if any
    NoAnswer,      // the page never finished: stopped at its deadline, nothing read
    NotRegistered, // no record, and the service says nobody holds the name
};

struct WhoisRecord {
    std::string email;       // the registrant's address, see registrantEmail; may be empty
    std::string contactForm; // an http(s) form for the registrant, only when there is no address
    std::string expires;     // year first: 2025/11/05
    // The "Domain Status:" codes, see whoisstatus.h.
    std::vector<std::string> status;
};

struct WhoisAnswer {
    WhoisOutcome outcome = WhoisOutcome::None;
    WhoisRecord record;
};

// A page with a readable expiry date is a Record, whatever else it says. The
// date comes from the first line with an expiry label ("Registry Expiry
// Date", "Expires", "paid-till", "valid until", "renewal date", "Fecha de
// vencimiento", "OK-UNTIL", any letter case) that states one; a line naming
// the registrar's, an option's or a bill's date counts only when no other
// does. Without a record, a page saying the name is unknown ("No match", "not
// found", "is available", "status: free"...) is NotRegistered, else one with
// a quota phrase ("limit exceeded", "too many", "try again later"...) is
// Refused.
WhoisAnswer ParseWhoisPage(std::string_view pageText);

} // namespace ostrevo
