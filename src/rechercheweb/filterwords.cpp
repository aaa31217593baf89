// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "rechercheweb/filterwords.h"

namespace ostrevo {

std::vector<std::string> splitFilterWords(std::string_view answer)
{
    std::vector<std::string> words;
    std::size_t start = 0;
    for (;;) {
        const std::size_t semicolon = answer.find(';', start);
        if (semicolon == std::string_view::npos) {
            words.emplace_back(answer.substr(start));
            return words;
        }
        words.emplace_back(answer.substr(start, semicolon - start));
        start = semicolon + 1;
    }
}

} // namespace ostrevo
