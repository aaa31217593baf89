// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "textscan/textkey.h"

namespace ostrevo {
namespace {

bool isBlankByte(char ch)
{
    return static_cast<unsigned char>(ch) <= 32;
}

} // namespace

std::string asciiLower(std::string_view text)
{
    std::string result(text);
    for (char& ch : result) {
        if (ch >= 'A' && ch <= 'Z') {
            ch = static_cast<char>(ch - 'A' + 'a');
        }
    }
    return result;
}

std::string_view trimBlanks(std::string_view text)
{
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && isBlankByte(text[first])) {
        ++first;
    }
    while (last > first && isBlankByte(text[last - 1])) {
        --last;
    }
    return text.substr(first, last - first);
}

bool isBlank(std::string_view text)
{
    return trimBlanks(text).empty();
}

} // namespace ostrevo
