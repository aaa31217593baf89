// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
//
// Whois page text of any bytes: an answer always; a record only with a
// calendar date written year first, and an address or a web form that
// stands in the page (or neither).

#include "lookup/emailaddress.h"
#include "lookup/whoisparser.h"
#include "platform/systemseparators.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

void check(bool condition)
{
    if (!condition) {
        std::abort();
    }
}

bool contains(std::string_view text, std::string_view part)
{
    return text.find(part) != std::string_view::npos;
}

// "http://" or "https://" in any letter case.
bool hasWebScheme(std::string_view address)
{
    std::string lower(address.substr(0, 8));
    for (char& c : lower) {
        c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    }
    return lower.starts_with("http://") || lower == "https://";
}

void parse(std::string_view page)
{
    const std::string_view email = ostrevo::registrantEmail(page);
    check(email.empty() ||
          (email.data() >= page.data() && email.data() + email.size() <= page.data() + page.size()));

    const ostrevo::WhoisAnswer answer = ostrevo::ParseWhoisPage(page);
    switch (answer.outcome) {
    case ostrevo::WhoisOutcome::Refused:
    case ostrevo::WhoisOutcome::None:
    case ostrevo::WhoisOutcome::NotRegistered:
        check(answer.record.email.empty() && answer.record.contactForm.empty() &&
              answer.record.expires.empty());
        break;
    case ostrevo::WhoisOutcome::Record: {
        const std::string& form = answer.record.contactForm;
        check(answer.record.email.empty() || (contains(answer.record.email, "@") && form.empty()));
        check(answer.record.email.empty() || contains(page, answer.record.email));
        check(form.empty() || (contains(page, form) && form.size() <= 2048 && hasWebScheme(form)));
        for (const char c : form) {
            check(static_cast<unsigned char>(c) > ' ' && c != '\x7F');
        }
        check(answer.record.expires.size() == 10 && answer.record.expires[4] == '/' &&
              answer.record.expires[7] == '/');
        break;
    }
    case ostrevo::WhoisOutcome::NoAnswer:
        check(false); // only a page that never finished has no answer, not a parsed one
        break;
    }
    // Nothing carries over from one page to the next.
    const ostrevo::WhoisAnswer again = ostrevo::ParseWhoisPage(page);
    check(again.outcome == answer.outcome && again.record.email == answer.record.email &&
          again.record.contactForm == answer.record.contactForm &&
          again.record.expires == answer.record.expires);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    const std::string_view page(reinterpret_cast<const char*>(bytes), size);
    parse(page);
    if (size > 0 && bytes[0] == '.') {
        ostrevo::setSystemSeparators({'.', '.'});
        parse(page.substr(1));
        ostrevo::setSystemSeparators({});
    }
    return 0;
}
