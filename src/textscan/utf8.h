// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// One code point written as UTF-8, the text encoding everywhere inside the
// program; the readers of UTF-16 and 8-bit code pages all end here.

#include <string>

namespace ostrevo {

// Writes `c` (at most U+10FFFF, no surrogate) at `out`, 1 to 4 bytes; returns the end.
inline char* encodeUtf8(char32_t c, char* out)
{
    if (c < 0x80) {
        *out++ = static_cast<char>(c);
    } else if (c < 0x800) {
        *out++ = static_cast<char>(0xC0 | c >> 6);
        *out++ = static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        *out++ = static_cast<char>(0xE0 | c >> 12);
        *out++ = static_cast<char>(0x80 | (c >> 6 & 0x3F));
        *out++ = static_cast<char>(0x80 | (c & 0x3F));
    } else {
        *out++ = static_cast<char>(0xF0 | c >> 18);
        *out++ = static_cast<char>(0x80 | (c >> 12 & 0x3F));
        *out++ = static_cast<char>(0x80 | (c >> 6 & 0x3F));
        *out++ = static_cast<char>(0x80 | (c & 0x3F));
    }
    return out;
}

inline void appendUtf8(std::string& out, char32_t c)
{
    char bytes[4];
    out.append(bytes, encodeUtf8(c, bytes));
}

} // namespace ostrevo
