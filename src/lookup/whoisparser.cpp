// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "lookup/whoisparser.h"

#include "lookup/emailaddress.h"
#include "lookup/expirydate.h"
#include "lookup/phraseset.h"
#include "lookup/whoisstatus.h"

#include <array>
#include <cstring>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace ostrevo {
namespace {

// Labels of the domain's expiry date; "xpir" stands for "Expiry Date",
// "Expires", "Expiration", "Date d'expiration".
const PhraseSet& expiryLabels()
{
    static const PhraseSet labels(
        {"xpir", "paid-till", "valid until", "renewal date", "vencimiento", "ok-until"},
        PhraseSet::Start::Anywhere);
    return labels;
}

// Words that make an expiry label another date's: the registrar's contract,
// an option on the name, a bill. The domain's own date wins over these.
const PhraseSet& otherDateWords()
{
    static const PhraseSet words({"registrar", "option", "billing", "invoice"}, PhraseSet::Start::WordStart);
    return words;
}

// What the services write about a name nobody holds.
constexpr std::array<std::string_view, 17> NotFoundPhrases = {
    "no match",         "not found",         "is available",        "available for registration",
    "no data found",    "no entries found",  "no entry found",      "no object found",
    "no records found", "no record found",   "nothing found",       "no such domain",
    "does not exist",   "is not registered", "not been registered", "status: free",
    "status: available"};

// What the services write when they take no more queries for a while.
// Legal notices use these words too ("must not exceed", "not permitted"), so
// they count only on a page that holds no record.
constexpr std::array<std::string_view, 11> QuotaPhrases = {
    "exceed",      "too many",      "rate limit",     "query rate",      "quota",        "maximum daily",
    "daily limit", "limit reached", "excessive quer", "try again later", "not permitted"};

const PhraseSet& notFoundPhrases()
{
    static const PhraseSet phrases(NotFoundPhrases, PhraseSet::Start::WordStart);
    return phrases;
}

// Both lists in one, the not-found phrases first: a page without a record is
// searched once for either.
const PhraseSet& answerPhrases()
{
    static const PhraseSet phrases(
        [] {
            std::vector<std::string_view> both(NotFoundPhrases.begin(), NotFoundPhrases.end());
            both.insert(both.end(), QuotaPhrases.begin(), QuotaPhrases.end());
            return both;
        }(),
        PhraseSet::Start::WordStart);
    return phrases;
}

bool isLineEnd(char c)
{
    return c == '\r' || c == '\n';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Where the line holding `from` ends: its first CR or LF at or after `from`,
// else the text's size. Searched with memchr: notices make long lines.
std::size_t lineEndFrom(std::string_view text, std::size_t from)
{
    const auto find = [&](char c, std::size_t end) {
        const void* hit = std::memchr(text.data() + from, c, end - from);
        return hit == nullptr ? end : static_cast<std::size_t>(static_cast<const char*>(hit) - text.data());
    };
    return find('\r', find('\n', text.size()));
}

// Where the first byte at or after `from` that passes `test` stands; the text's size if none.
template <typename Test> std::size_t firstWhere(std::string_view text, std::size_t from, Test test)
{
    while (from < text.size() && !test(text[from])) {
        ++from;
    }
    return from;
}

// The domain's expiry date: the first expiry line that states one, unless a
// line naming another date came first. Each line is read once, after its
// first label, so that notices saying "expir" many times cost one pass.
std::optional<std::string> expiryDate(std::string_view page)
{
    std::optional<std::string> otherDate;
    for (std::size_t read = 0, at = 0; (at = expiryLabels().find(page, read)) != std::string_view::npos;) {
        const std::size_t valueStart = at + expiryLabels().lengthAt(page, at);
        const std::size_t lineEnd = lineEndFrom(page, valueStart);
        std::optional<std::string> date = expiryDateOf(page.substr(valueStart, lineEnd - valueStart));
        if (date) {
            const std::size_t digit = firstWhere(page.substr(0, lineEnd), valueStart, isDigit);
            // The words before the date say whose date it is: back to the
            // line's start, but not into text already read.
            std::size_t lineStart = at;
            while (lineStart > read && !isLineEnd(page[lineStart - 1])) {
                --lineStart;
            }
            if (!otherDateWords().foundIn(page.substr(lineStart, digit - lineStart))) {
                return date;
            }
            if (!otherDate) {
                otherDate = std::move(date);
            }
        }
        read = lineEnd;
    }
    return otherDate;
}

} // namespace

WhoisAnswer ParseWhoisPage(std::string_view pageText)
{
    WhoisAnswer answer;
    if (std::optional<std::string> expires = expiryDate(pageText)) {
        answer.outcome = WhoisOutcome::Record;
        answer.record.expires = std::move(*expires);
        answer.record.status = whoisStatusWords(pageText);
        answer.record.email = std::string(registrantEmail(pageText));
        if (answer.record.email.empty()) {
            answer.record.contactForm = std::string(registrantContactForm(pageText));
        }
    } else if (const std::size_t at = answerPhrases().find(pageText); at != std::string_view::npos) {
        // A quota phrase first may be legal text: a not-found phrase after it still wins.
        const bool notFound = answerPhrases().phraseAt(pageText, at) < NotFoundPhrases.size() ||
                              notFoundPhrases().find(pageText, at) != std::string_view::npos;
        answer.outcome = notFound ? WhoisOutcome::NotRegistered : WhoisOutcome::Refused;
    }
    return answer;
}

} // namespace ostrevo
