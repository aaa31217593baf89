// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "rechercheweb/keywordencoding.h"

namespace ostrevo {
namespace {

bool keptAsIs(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == ' ' ||
           c == '-' || c == '.' || c == '_';
}

} // namespace

std::string EncodeKeywords(std::string_view keywords)
{
    static constexpr char Hex[] = "0123456789ABCDEF";
    std::string encoded;
    encoded.reserve(keywords.size());
    for (const char ch : keywords) {
        const auto c = static_cast<unsigned char>(ch);
        if (keptAsIs(c)) {
            encoded.push_back(ch);
        } else {
            encoded.push_back('%');
            encoded.push_back(Hex[c >> 4]);
            encoded.push_back(Hex[c & 0x0F]);
        }
    }
    return encoded;
}

} // namespace ostrevo
