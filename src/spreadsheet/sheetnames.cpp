// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "spreadsheet/sheetnames.h"

#include "textscan/textkey.h"
#include "textscan/utf8.h"

#include <set>
#include <string_view>

namespace ostrevo {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// The code point at `text[i]`, advancing `i`; U+FFFD for a malformed sequence.
char32_t nextCodePoint(std::string_view text, std::size_t& i)
{
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i++);
    if (lead < 0x80) {
        return lead;
    }
    const int length = lead >= 0xF0 && lead <= 0xF4  ? 4
                       : lead >= 0xE0                ? 3
                       : lead >= 0xC2 && lead < 0xE0 ? 2
                                                     : 0;
    if (length == 0 || lead > 0xF4) {
        return kReplacement;
    }
    char32_t c = lead & (0x7F >> length);
    for (int k = 1; k < length; ++k) {
        if (i >= text.size() || (byte(i) & 0xC0) != 0x80) {
            return kReplacement;
        }
        c = c << 6 | (byte(i++) & 0x3F);
    }
    const char32_t smallest = length == 2 ? 0x80 : length == 3 ? 0x800 : 0x10000;
    if (c < smallest || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        return kReplacement;
    }
    return c;
}

// Characters that would break the list's lines or reorder what follows them.
bool hidden(char32_t c)
{
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x2028 || c == 0x2029 ||
           (c >= 0x200E && c <= 0x200F) || (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
}

std::string cleanName(std::string_view name)
{
    std::string out;
    std::size_t characters = 0;
    // Only as much as can be shown is looked at.
    for (std::size_t i = 0; i < name.size() && characters <= kMaxSheetNameCharacters; ++characters) {
        const char32_t c = nextCodePoint(name, i);
        appendUtf8(out, hidden(c) ? U' ' : c);
    }
    std::string trimmed(trimBlanks(out));
    if (characters > kMaxSheetNameCharacters) {
        // Cut one character short of the limit, on a character's first byte, to make room for "…".
        std::size_t end = 0;
        for (std::size_t i = 0, kept = 0; i < trimmed.size() && kept < kMaxSheetNameCharacters - 1; ++kept) {
            nextCodePoint(trimmed, i);
            end = i;
        }
        trimmed = std::string(trimBlanks(std::string_view(trimmed).substr(0, end))) + "\u2026";
    }
    return trimmed;
}

} // namespace

std::vector<std::string> SheetDisplayNames(const std::vector<WorksheetSummary>& sheets)
{
    std::vector<std::string> names;
    names.reserve(sheets.size());
    std::set<std::string> taken;
    for (std::size_t i = 0; i < sheets.size(); ++i) {
        std::string name = cleanName(sheets[i].name);
        const std::string number = std::to_string(i + 1);
        if (name.empty()) {
            name = "Sheet " + number;
        }
        if (taken.contains(name)) {
            name += " (" + number + ")";
        }
        // A name made up this way may itself repeat a later sheet's own name:
        // the number then goes on until it is unique.
        while (taken.contains(name)) {
            name += " (" + number + ")";
        }
        taken.insert(name);
        names.push_back(std::move(name));
    }
    return names;
}

} // namespace ostrevo
