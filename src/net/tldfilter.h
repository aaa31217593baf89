// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// The top-level domains a search collects and hands over to the lookup:
// .com, .net and .org unless the user names others, or every TLD the Public
// Suffix List knows.

#include "textscan/hostname.h"

#include <optional>
#include <set>
#include <string>
#include <string_view>

namespace ostrevo {

class TldFilter {
public:
    // .com .net .org
    TldFilter();
    static TldFilter everyTld();

    // The user's text: "*" for every TLD, or TLDs separated by spaces or
    // commas, each with or without its dot, international ones in either
    // form (`toAscii` converts the latter). Nothing, with the reason in
    // `error`, when a TLD is not one the list knows or the text names none.
    static std::optional<TldFilter> parse(std::string_view text, std::string* error = nullptr,
                                          const AsciiHostConverter& toAscii = {});
    // What parse() reads back: "*" or ".com .net .org".
    std::string text() const;

    bool every() const { return m_every; }
    // The host (a checked DNS name) has a TLD the list knows, and one of ours.
    bool accepts(std::string_view host) const;

private:
    bool m_every = false;
    std::set<std::string, std::less<>> m_tlds;
};

} // namespace ostrevo
