// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "textscan/textbreaks.h"

#include <cstdint>

namespace ostrevo {
namespace {

struct CodePoint {
    char32_t value = 0;
    std::size_t length = 0; // 0: not valid UTF-8
};

CodePoint decodeAt(std::string_view text, std::size_t at)
{
    const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(text[i]); };
    const std::uint8_t lead = byte(at);
    std::size_t length = 0;
    char32_t value = 0;
    if (lead < 0x80) {
        return {lead, 1};
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        value = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        value = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        value = lead & 0x07;
    } else {
        return {};
    }
    if (text.size() - at < length) {
        return {};
    }
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80) {
            return {};
        }
        value = (value << 6) | (byte(at + i) & 0x3F);
    }
    // Overlong forms and surrogates are no code points.
    if ((length == 3 && value < 0x800) || (length == 4 && (value < 0x10000 || value > 0x10FFFF)) ||
        (value >= 0xD800 && value <= 0xDFFF)) {
        return {};
    }
    return {value, length};
}

bool isSpace(char32_t c)
{
    switch (c) {
    case ' ':
    case '\t':
    case '\n':
    case '\v':
    case '\f':
    case '\r':
    case 0x85:   // next line
    case 0xA0:   // no-break space
    case 0x1680: // ogham space
    case 0x2028: // line separator
    case 0x2029: // paragraph separator
    case 0x202F: // narrow no-break space
    case 0x205F: // medium mathematical space
    case 0x3000: // ideographic space
    case 0xFEFF: // zero width no-break space
        return true;
    default:
        // The typographic spaces up to the zero width space.
        return c >= 0x2000 && c <= 0x200B;
    }
}

bool isBreak(char32_t c)
{
    switch (c) {
    case '|':
    case 0xB7:   // middle dot
    case 0xBB:   // right guillemet
    case 0x2013: // en dash
    case 0x2014: // em dash
    case 0x2022: // bullet
    case 0x203A: // breadcrumb arrow
        return true;
    default:
        return isSpace(c);
    }
}

// Where the code point ending at `end` starts; `end` when none can.
std::size_t startBefore(std::string_view text, std::size_t end)
{
    std::size_t start = end;
    while (start > 0 && end - start < 4) {
        --start;
        if ((static_cast<std::uint8_t>(text[start]) & 0xC0) != 0x80) {
            return start;
        }
    }
    return end;
}

} // namespace

std::size_t breakLengthAt(std::string_view text, std::size_t at)
{
    if (at >= text.size()) {
        return 0;
    }
    const CodePoint c = decodeAt(text, at);
    return c.length != 0 && isBreak(c.value) ? c.length : 0;
}

std::size_t spaceLengthAt(std::string_view text, std::size_t at)
{
    if (at >= text.size()) {
        return 0;
    }
    const CodePoint c = decodeAt(text, at);
    return c.length != 0 && isSpace(c.value) ? c.length : 0;
}

std::size_t breakLengthBefore(std::string_view text, std::size_t end)
{
    const std::size_t start = startBefore(text, end);
    return start < end && breakLengthAt(text, start) == end - start ? end - start : 0;
}

bool isNonAsciiWordAt(std::string_view text, std::size_t at)
{
    return at < text.size() && (static_cast<std::uint8_t>(text[at]) & 0x80) != 0 &&
           breakLengthAt(text, at) == 0;
}

bool isNonAsciiWordBefore(std::string_view text, std::size_t end)
{
    return end > 0 && (static_cast<std::uint8_t>(text[end - 1]) & 0x80) != 0 &&
           breakLengthBefore(text, end) == 0;
}

} // namespace ostrevo
