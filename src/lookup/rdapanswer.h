// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// Reads what the lookup needs out of an RDAP server's answer to a domain
// query: the expiry, the registrant's e-mail or contact form, and the link to
// the registrar's own answer, and the domain's status with the dates that
// date it.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace ostrevo {

// Larger answers are refused; real ones are a few kilobytes.
inline constexpr std::size_t MaxRdapAnswerBytes = 1024 * 1024;
// Deeper nesting of JSON arrays and objects is refused.
inline constexpr int MaxRdapJsonDepth = 32;

enum class RdapOutcome {
    Domain,   // a domain object: the fields below
    NotFound, // 404: the name is not registered
    Busy,     // 429 or 503: ask again later, without counting it as a failure
    Unusable, // any other status, or a body that is not a domain object
};

struct RdapAnswer {
    RdapOutcome outcome = RdapOutcome::Unusable;
    std::string expires;     // the expiration event's day in UTC, "2027/03/04"; empty when none
    std::string email;       // the registrant's e-mail address, without "mailto:"
    std::string contactForm; // an http(s) address of a contact form, when the e-mail is withheld
    std::string related;     // http(s) address of the registrar's own RDAP answer
    // The status words as given ("redemption period"), and the days of the
    // "last changed" and "deletion" (the planned delete) events, as `expires`.
    std::vector<std::string> status;
    std::string lastChanged;
    std::string deletion;
};

// `status` is the HTTP status of the answer, `body` its body.
RdapAnswer readRdapAnswer(long status, std::string_view body);

} // namespace ostrevo
