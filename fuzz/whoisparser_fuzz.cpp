// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
//
// Whois page text of any bytes: an answer always, a record only with an
// address and a date, and the address found by skipping ahead the same as
// the one found token by token.

#include "expired/emailtoken.h"
#include "expired/whoisparser.h"
#include "platform/systemseparators.h"
#include "textscan/textscan.h"

#include <cstdint>
#include <cstdlib>
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

// Token by token from the start of the page.
std::string_view firstTokenWithAt(std::string_view page)
{
    std::int32_t cursor = 1;
    for (;;) {
        const std::string_view token = ostrevo::NextToken(page, ostrevo::EmailSeparators, cursor);
        if (token.empty() || token.find('@') != std::string_view::npos) {
            return token;
        }
    }
}

void parse(std::string_view page)
{
    const std::string_view email = ostrevo::firstEmailToken(page);
    const std::string_view expected = firstTokenWithAt(page);
    check(email == expected && (email.empty() || email.data() == expected.data()));

    const ostrevo::WhoisAnswer answer = ostrevo::ParseWhoisPage(page);
    switch (answer.outcome) {
    case ostrevo::WhoisOutcome::Refused:
        check(contains(page, "exceed"));
        break;
    case ostrevo::WhoisOutcome::None:
        check(answer.record.email.empty() && answer.record.expires.empty());
        break;
    case ostrevo::WhoisOutcome::Record:
        check(!contains(page, "exceed") && !contains(page, "No match for domain"));
        check(contains(answer.record.email, "@") && contains(page, answer.record.email));
        check(!answer.record.expires.empty());
        break;
    }
    // Nothing carries over from one page to the next.
    const ostrevo::WhoisAnswer again = ostrevo::ParseWhoisPage(page);
    check(again.outcome == answer.outcome && again.record.email == answer.record.email &&
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
