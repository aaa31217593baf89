// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
//
// An RDAP answer of any bytes: never a crash, and what comes out is safe to
// put in a cell or a request: a date of the table's form, an address without
// blanks, web links only, a short status tip.

#include "lookup/domainstatus.h"
#include "lookup/rdapanswer.h"
#include "lookup/rdapdate.h"

#include <cctype>
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

bool clean(std::string_view text)
{
    for (const char c : text) {
        if (static_cast<unsigned char>(c) <= ' ' || c == 0x7f) {
            return false;
        }
    }
    return text.size() <= 2048;
}

bool isWeb(std::string_view text)
{
    std::string lower(text.substr(0, 8));
    for (char& c : lower) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return lower.starts_with("http://") || lower.starts_with("https://");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    const std::string_view body(reinterpret_cast<const char*>(bytes), size);
    const ostrevo::RdapAnswer answer = ostrevo::readRdapAnswer(200, body);
    if (answer.outcome != ostrevo::RdapOutcome::Domain) {
        check(answer.expires.empty() && answer.email.empty() && answer.contactForm.empty() &&
              answer.related.empty());
    }
    check(answer.outcome == ostrevo::RdapOutcome::Domain || answer.outcome == ostrevo::RdapOutcome::Unusable);
    check(answer.expires.empty() || (answer.expires.size() == 10 && answer.expires[4] == '/'));
    check(clean(answer.email) && (answer.email.empty() || answer.email.find('@') != std::string_view::npos));
    check(clean(answer.contactForm) && (answer.contactForm.empty() || isWeb(answer.contactForm)));
    check(clean(answer.related) && (answer.related.empty() || isWeb(answer.related)));
    check(answer.email.empty() || answer.contactForm.empty());
    // The status words are bounded, and summing them up is never stuck on them.
    check(answer.status.size() <= 32);
    const ostrevo::StatusFacts facts{answer.status, answer.expires, answer.lastChanged, answer.deletion};
    const std::string tip = ostrevo::statusTip(facts, "2027/04/01");
    check(tip.size() < 512);

    const auto date = ostrevo::tableDateOfRdapDate(body);
    check(!date || date->size() == 10);
    return 0;
}
