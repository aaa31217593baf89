// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "rechercheweb/pagelines.h"

#include "textscan/linesplit.h"

#include <utility>

namespace ostrevo {

PageLines::PageLines(std::vector<std::string> lines, TextKeyFunction caseFoldKey)
    : m_lines(std::move(lines)),
      m_caseFoldKey(caseFoldKey ? std::move(caseFoldKey) : TextKeyFunction(asciiLower))
{}

PageLines PageLines::fromText(std::string_view pageText, TextKeyFunction caseFoldKey)
{
    return PageLines(splitLines(pageText), std::move(caseFoldKey));
}

bool PageLines::contains(std::string_view text) const
{
    if (!m_indexed) {
        std::vector<std::size_t> ends;
        ends.reserve(m_lines.size());
        for (const std::string& line : m_lines) {
            m_keyBytes += m_caseFoldKey(line);
            ends.push_back(m_keyBytes.size());
        }
        // The key bytes are complete and stay put from here on.
        m_keys.reserve(m_lines.size());
        std::size_t start = 0;
        for (const std::size_t end : ends) {
            m_keys.insert(std::string_view(m_keyBytes).substr(start, end - start));
            start = end;
        }
        m_indexed = true;
    }
    return m_keys.contains(m_caseFoldKey(text));
}

} // namespace ostrevo
