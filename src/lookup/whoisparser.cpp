// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "lookup/whoisparser.h"

#include "lookup/emailaddress.h"
#include "lookup/expirydate.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <utility>

namespace ostrevo {
namespace {

// What the services write when they take no more queries for a while, in
// lower case. Legal notices use these words too ("must not exceed"), so they
// count only on a page that holds no record.
constexpr std::array<std::string_view, 5> QuotaPhrases = {"exceed", "too many", "rate limit", "quota",
                                                          "try again later"};

char asciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Where `lowerWord` first occurs at or after `from`, ignoring ASCII letter case; npos if nowhere.
std::size_t findIgnoringCase(std::string_view text, std::string_view lowerWord, std::size_t from = 0)
{
    if (from > text.size()) {
        return std::string_view::npos;
    }
    const auto found =
        std::search(text.begin() + static_cast<std::ptrdiff_t>(from), text.end(), lowerWord.begin(),
                    lowerWord.end(), [](char a, char b) { return asciiLower(a) == b; });
    return found == text.end() ? std::string_view::npos : static_cast<std::size_t>(found - text.begin());
}

bool isQuotaRefusal(std::string_view page)
{
    return std::any_of(QuotaPhrases.begin(), QuotaPhrases.end(), [&](std::string_view phrase) {
        return findIgnoringCase(page, phrase) != std::string_view::npos;
    });
}

// The date of the first expiry line that states one. A line is the text after
// "xpir" up to the next line end: the host name or a notice may say "expir"
// before the record does.
std::optional<std::string> expiryDate(std::string_view page)
{
    constexpr std::string_view Marker = "xpir";
    for (std::size_t at = findIgnoringCase(page, Marker); at != std::string_view::npos;
         at = findIgnoringCase(page, Marker, at + Marker.size())) {
        const std::size_t begin = at + Marker.size();
        const std::size_t end = std::min(page.find_first_of("\r\n", begin), page.size());
        if (std::optional<std::string> date = expiryDateOf(page.substr(begin, end - begin))) {
            return date;
        }
    }
    return std::nullopt;
}

} // namespace

WhoisAnswer ParseWhoisPage(std::string_view pageText)
{
    WhoisAnswer answer;
    if (pageText.find("No match for domain") != std::string_view::npos) {
        return answer;
    }
    const std::string_view email = registrantEmail(pageText);
    std::optional<std::string> expires = email.empty() ? std::nullopt : expiryDate(pageText);
    if (expires) {
        answer.outcome = WhoisOutcome::Record;
        answer.record.email = std::string(email);
        answer.record.expires = std::move(*expires);
    } else if (isQuotaRefusal(pageText)) {
        answer.outcome = WhoisOutcome::Refused;
    }
    return answer;
}

} // namespace ostrevo
