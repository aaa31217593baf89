// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "lookup/emailaddress.h"

#include <algorithm>
#include <array>
#include <cstring>

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

// 2 for a line that names the registrant, 1 for the administrative contact's, 0 otherwise.
int lineRank(std::string_view line)
{
    constexpr std::array<std::string_view, 3> RegistrantWords = {"registrant", "owner", "holder"};
    for (const std::string_view word : RegistrantWords) {
        if (containsIgnoringCase(line, word)) {
            return 2;
        }
    }
    return containsIgnoringCase(line, "admin") ? 1 : 0;
}

bool isLineEnd(char c)
{
    return c == '\r' || c == '\n';
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
            std::size_t lineStart = at;
            while (lineStart > 0 && !isLineEnd(page[lineStart - 1])) {
                --lineStart;
            }
            lineEnd = at;
            while (lineEnd < page.size() && !isLineEnd(page[lineEnd])) {
                ++lineEnd;
            }
            rank = lineRank(page.substr(lineStart, lineEnd - lineStart));
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

} // namespace ostrevo
