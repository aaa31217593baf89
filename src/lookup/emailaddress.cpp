// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "lookup/emailaddress.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <span>

namespace ostrevo {
namespace {

bool isAlphanumeric(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return (u >= '0' && u <= '9') || ((u | 0x20) >= 'a' && (u | 0x20) <= 'z') || u >= 0x80;
}

// Characters of an address's local part; the quote and the full stop only
// inside it, which is checked once it is cut out.
bool isLocalChar(char c)
{
    return isAlphanumeric(c) || (c != '\0' && std::strchr("._%+-!#$&'*/=?^`{|}~", c) != nullptr);
}

bool isDomainChar(char c)
{
    return isAlphanumeric(c) || c == '-' || c == '.';
}

// The address around the "@" at `at`, or empty when there is none: a local
// part and a domain of at least two labels, without quotes or full stops at
// their outer ends.
std::string_view addressAround(std::string_view page, std::size_t at)
{
    std::size_t begin = at;
    while (begin > 0 && isLocalChar(page[begin - 1])) {
        --begin;
    }
    while (begin < at && (page[begin] == '.' || page[begin] == '\'')) {
        ++begin;
    }
    std::size_t end = at + 1;
    while (end < page.size() && isDomainChar(page[end])) {
        ++end;
    }
    while (end > at + 1 && (page[end - 1] == '.' || page[end - 1] == '-')) {
        --end;
    }
    const std::string_view domain = page.substr(at + 1, end - at - 1);
    const std::size_t dot = domain.find('.');
    if (begin == at || dot == 0 || dot == std::string_view::npos ||
        domain.find("..") != std::string_view::npos) {
        return {};
    }
    return page.substr(begin, end - begin);
}

bool containsIgnoringCase(std::string_view text, std::string_view lowerWord)
{
    const auto found =
        std::search(text.begin(), text.end(), lowerWord.begin(), lowerWord.end(), [](char a, char b) {
            return (a >= 'A' && a <= 'Z' ? static_cast<char>(a - 'A' + 'a') : a) == b;
        });
    return found != text.end();
}

bool containsAnyIgnoringCase(std::string_view text, std::span<const std::string_view> lowerWords)
{
    return std::any_of(lowerWords.begin(), lowerWords.end(),
                       [text](std::string_view word) { return containsIgnoringCase(text, word); });
}

constexpr std::array<std::string_view, 3> RegistrantWords = {"registrant", "owner", "holder"};

// 2 for a line that names the registrant, 1 for the administrative contact's, 0 otherwise.
int lineRank(std::string_view line)
{
    if (containsAnyIgnoringCase(line, RegistrantWords)) {
        return 2;
    }
    return containsIgnoringCase(line, "admin") ? 1 : 0;
}

bool isLineEnd(char c)
{
    return c == '\r' || c == '\n';
}

// The line around `at`, without its line break.
std::string_view lineAround(std::string_view page, std::size_t at)
{
    std::size_t start = at;
    while (start > 0 && !isLineEnd(page[start - 1])) {
        --start;
    }
    std::size_t end = at;
    while (end < page.size() && !isLineEnd(page[end])) {
        ++end;
    }
    return page.substr(start, end - start);
}

// The line names the registrant and a way to write to it.
bool isRegistrantContactLine(std::string_view line)
{
    constexpr std::array<std::string_view, 3> ContactWords = {"mail", "contact", "form"};
    return containsAnyIgnoringCase(line, RegistrantWords) && containsAnyIgnoringCase(line, ContactWords);
}

// The http(s) address whose "://" is at `colon`, or empty: the scheme must
// start a word and a host must follow.
std::string_view webAddressAround(std::string_view page, std::size_t colon)
{
    constexpr std::size_t MaxAddressBytes = 2048;
    std::size_t begin = colon;
    while (begin > 0 && colon - begin < 5 && isAlphanumeric(page[begin - 1])) {
        --begin;
    }
    const std::string_view scheme = page.substr(begin, colon - begin);
    const bool web = (scheme.size() == 4 && containsIgnoringCase(scheme, "http")) ||
                     (scheme.size() == 5 && containsIgnoringCase(scheme, "https"));
    if (!web || (begin > 0 && isAlphanumeric(page[begin - 1]))) {
        return {};
    }
    // Read no further than an address may run: a line of "http://http://..."
    // would otherwise be read to its end from every one of them.
    const std::size_t limit = std::min(page.size(), begin + MaxAddressBytes + 1);
    std::size_t end = colon + 3;
    while (end<limit&& static_cast<unsigned char>(page[end])> ' ' && page[end] != '\x7F' &&
           std::strchr("<>\"'`", page[end]) == nullptr) {
        ++end;
    }
    while (end > colon + 3 && std::strchr(".,;:)]", page[end - 1]) != nullptr) {
        --end;
    }
    const std::size_t host = colon + 3;
    if (host >= end || !isAlphanumeric(page[host]) || end - begin > MaxAddressBytes) {
        return {};
    }
    return page.substr(begin, end - begin);
}

} // namespace

std::string_view registrantEmail(std::string_view page)
{
    std::string_view best;
    int bestRank = -1;
    std::size_t lineEnd = 0; // the line of the last address looked at, and its rank
    int rank = 0;
    for (std::size_t at = page.find('@'); at != std::string_view::npos; at = page.find('@', at + 1)) {
        const std::string_view address = addressAround(page, at);
        if (address.empty()) {
            continue;
        }
        if (at >= lineEnd) {
            const std::string_view line = lineAround(page, at);
            lineEnd = static_cast<std::size_t>(line.data() - page.data()) + line.size();
            rank = lineRank(line);
        }
        if (rank > bestRank) {
            best = address;
            bestRank = rank;
            if (rank == 2) {
                break;
            }
        }
    }
    return best;
}

std::string_view registrantContactForm(std::string_view page)
{
    std::size_t lineEnd = 0; // the line of the last address looked at, and whether it qualifies
    bool contactLine = false;
    for (std::size_t colon = page.find("://"); colon != std::string_view::npos;
         colon = page.find("://", colon + 3)) {
        if (colon >= lineEnd) {
            const std::string_view line = lineAround(page, colon);
            lineEnd = static_cast<std::size_t>(line.data() - page.data()) + line.size();
            contactLine = isRegistrantContactLine(line);
        }
        if (const std::string_view address = contactLine ? webAddressAround(page, colon) : std::string_view();
            !address.empty()) {
            return address;
        }
    }
    return {};
}

} // namespace ostrevo
