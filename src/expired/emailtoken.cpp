// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "expired/emailtoken.h"

#include "textscan/textscan.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>

namespace ostrevo {
namespace {

bool isEmailSeparator(char c)
{
    return c == '\t' || c == '\n' || c == '\r' || c == ' ' || c == ',' || c == ';';
}

} // namespace

std::string_view firstEmailToken(std::string_view page)
{
    // Taking the page token by token from the start finds the address, but
    // a large page can hold it at the very end. Up to the first quote,
    // tokens are plain runs between separators, so the token that holds the
    // first "@" starts just after the last separator before it; only a
    // quote, which may join runs, needs NextToken itself.
    const std::size_t n = std::min<std::size_t>(page.size(), std::numeric_limits<std::int32_t>::max());
    const char* const text = page.data();
    std::size_t from = 0;    // where the next token is searched, 0-based
    std::size_t atIndex = 0; // the first "@" at or after `from`
    bool atKnown = false;
    while (from < n) {
        if (!atKnown || atIndex < from) {
            const void* at = std::memchr(text + from, '@', n - from);
            if (at == nullptr) {
                return {};
            }
            atIndex = static_cast<std::size_t>(static_cast<const char*>(at) - text);
            atKnown = true;
        }
        const void* quote = std::memchr(text + from, '"', atIndex - from);
        std::size_t begin =
            quote == nullptr ? atIndex : static_cast<std::size_t>(static_cast<const char*>(quote) - text);
        while (begin > from && !isEmailSeparator(text[begin - 1])) {
            --begin;
        }
        auto cursor = static_cast<std::int32_t>(begin + 1);
        const std::string_view token = NextToken(page, EmailSeparators, cursor);
        if (token.find('@') != std::string_view::npos) {
            return token;
        }
        if (cursor == 0) {
            return {};
        }
        from = static_cast<std::size_t>(cursor) - 1;
    }
    return {};
}

} // namespace ostrevo
