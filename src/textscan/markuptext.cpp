// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "textscan/markuptext.h"

#include <cstdint>

namespace ostrevo {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

// Length of the well-formed UTF-8 sequence at the start of `text` and its code
// point; 0 when it is malformed (overlong, surrogate, beyond U+10FFFF, cut).
std::size_t sequenceAt(std::string_view text, char32_t& codePoint)
{
    const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(text[i]); };
    const std::uint8_t lead = byte(0);
    std::size_t length = 0;
    char32_t min = 0;
    if (lead < 0x80) {
        codePoint = lead;
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        codePoint = lead & 0x1Fu;
        min = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        codePoint = lead & 0x0Fu;
        min = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        codePoint = lead & 0x07u;
        min = 0x10000;
    } else {
        return 0;
    }
    if (text.size() < length) {
        return 0;
    }
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0u) != 0x80u) {
            return 0;
        }
        codePoint = (codePoint << 6) | (byte(i) & 0x3Fu);
    }
    if (codePoint < min || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF)) {
        return 0;
    }
    return length;
}

bool xmlCanCarry(char32_t c)
{
    return c >= 0x20 ? c != 0xFFFE && c != 0xFFFF : c == '\t' || c == '\n' || c == '\r';
}

bool isPlainByte(char c)
{
    return c >= 0x20 && c != '&' && c != '<' && c != '>' && c != '"' && c != '\'';
}

} // namespace

void appendMarkupText(std::string& out, std::string_view text)
{
    out.reserve(out.size() + text.size());
    while (!text.empty()) {
        // Most text is plain: copy it a run at a time.
        std::size_t plain = 0;
        while (plain < text.size() && isPlainByte(text[plain])) {
            ++plain;
        }
        out.append(text.substr(0, plain));
        text.remove_prefix(plain);
        if (text.empty()) {
            break;
        }
        char32_t c = 0;
        const std::size_t length = sequenceAt(text, c);
        if (length == 0 || !xmlCanCarry(c)) {
            out.append(kReplacement);
            text.remove_prefix(length == 0 ? 1 : length);
            continue;
        }
        switch (c) {
        case '&':
            out.append("&amp;");
            break;
        case '<':
            out.append("&lt;");
            break;
        case '>':
            out.append("&gt;");
            break;
        case '"':
            out.append("&quot;");
            break;
        case '\'':
            out.append("&#39;");
            break;
        case '\t':
            out.append("&#9;");
            break;
        case '\n':
            out.append("&#10;");
            break;
        case '\r':
            out.append("&#13;");
            break;
        default:
            out.append(text.substr(0, length));
        }
        text.remove_prefix(length);
    }
}

} // namespace ostrevo
