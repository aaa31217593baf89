// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "spreadsheet/biffstrings.h"

#include "spreadsheet/singlebytecodepages.h"
#include "spreadsheet/unreadableworkbook.h"
#include "textscan/utf8.h"

#include <algorithm>

namespace ostrevo {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// The code page of 8-bit text; some CODEPAGE values name none of their own.
std::uint16_t eightBitCodePage(std::uint16_t codePage)
{
    switch (codePage) {
    case 367:    // US-ASCII
    case 1200:   // UTF-16: says nothing about 8-bit text
    case 0x8001: // Windows Latin 1 as Excel 2 and 3 named it
        return 1252;
    default:
        return codePage;
    }
}

} // namespace

std::string Utf8FromUtf16(std::u16string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            appendUtf8(out, 0x10000 + ((char32_t{unit} - 0xD800) << 10) + (char32_t{text[i + 1]} - 0xDC00));
            ++i;
        } else if (unit >= 0xD800 && unit <= 0xDFFF) {
            appendUtf8(out, kReplacement);
        } else {
            appendUtf8(out, unit);
        }
    }
    return out;
}

std::string Utf8FromCodePage(std::span<const std::uint8_t> text, std::uint16_t codePage)
{
    const bool ascii = std::all_of(text.begin(), text.end(), [](std::uint8_t byte) { return byte < 0x80; });
    if (ascii) {
        return std::string(text.begin(), text.end());
    }
    const auto* highHalf = HighHalfOfCodePage(eightBitCodePage(codePage));
    if (highHalf == nullptr) {
        throw UnreadableWorkbook("its text is in a character set that cannot be read (code page " +
                                 std::to_string(codePage) + ")");
    }
    std::string out;
    out.reserve(text.size() * 2);
    for (const std::uint8_t byte : text) {
        appendUtf8(out, byte < 0x80 ? char32_t{byte} : char32_t{(*highHalf)[byte - 0x80]});
    }
    return out;
}

} // namespace ostrevo
