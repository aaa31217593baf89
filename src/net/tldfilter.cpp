// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "net/tldfilter.h"

#include "net/registereddomain.h"

namespace ostrevo {

namespace {

// A TLD is known when a name directly under it has a registered domain.
bool knownTld(std::string_view tld)
{
    return !registeredDomain("x." + std::string(tld)).empty() || !registeredDomain(std::string(tld)).empty();
}

} // namespace

TldFilter::TldFilter() : m_tlds{"com", "net", "org"}
{}

TldFilter TldFilter::everyTld()
{
    TldFilter filter;
    filter.m_every = true;
    filter.m_tlds.clear();
    return filter;
}

std::optional<TldFilter> TldFilter::parse(std::string_view text, std::string* error,
                                          const AsciiHostConverter& toAscii)
{
    const auto fail = [error](std::string why) -> std::optional<TldFilter> {
        if (error != nullptr) {
            *error = std::move(why);
        }
        return std::nullopt;
    };
    TldFilter filter;
    filter.m_tlds.clear();
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = std::min(text.find_first_of(" \t,;", at), text.size());
        std::string_view word = text.substr(at, end - at);
        at = end + 1;
        if (word.empty()) {
            continue;
        }
        if (word == "*") {
            filter.m_every = true;
            continue;
        }
        if (word.front() == '.') {
            word.remove_prefix(1);
        }
        const std::string tld = checkedHostName(word, toAscii);
        if (tld.empty() || tld.find('.') != std::string::npos || !knownTld(tld)) {
            return fail("\"" + std::string(word) + "\" is not a top-level domain");
        }
        filter.m_tlds.insert(tld);
    }
    if (filter.m_every) {
        return everyTld();
    }
    if (filter.m_tlds.empty()) {
        return fail("Name at least one top-level domain, or * for all");
    }
    return filter;
}

std::string TldFilter::text() const
{
    if (m_every) {
        return "*";
    }
    std::string text;
    for (const std::string& tld : m_tlds) {
        text += (text.empty() ? "." : " .") + tld;
    }
    return text;
}

bool TldFilter::accepts(std::string_view host) const
{
    // The set first: it costs less than the list.
    if (!m_every && !m_tlds.contains(topLevelDomain(host))) {
        return false;
    }
    return !registeredDomain(host).empty();
}

} // namespace ostrevo
