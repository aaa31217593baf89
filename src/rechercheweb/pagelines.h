// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// The lines of the result page being scanned. Link extraction asks whether a
// candidate host is one of them (ignoring letter case), which keeps whole
// lines without "/" out of the URL list.

#include "containers/flatkeyset.h"
#include "textscan/textkey.h"

#include <string>
#include <string_view>
#include <vector>

namespace ostrevo {

class PageLines {
public:
    explicit PageLines(std::vector<std::string> lines = {}, TextKeyFunction caseFoldKey = asciiLower);
    // The page's text cut at CR, LF or CR LF.
    static PageLines fromText(std::string_view pageText, TextKeyFunction caseFoldKey = asciiLower);

    const std::vector<std::string>& lines() const { return m_lines; }
    int count() const { return static_cast<int>(m_lines.size()); }

    // Whether a line equal to `text` ignoring letter case exists. The key set
    // is built at the first question, so pages without candidates cost nothing.
    bool contains(std::string_view text) const;

private:
    std::vector<std::string> m_lines;
    TextKeyFunction m_caseFoldKey;
    mutable std::string m_keyBytes; // every line's key, one after the other
    mutable detail::FlatKeySet m_keys;
    mutable bool m_indexed = false;
};

} // namespace ostrevo
