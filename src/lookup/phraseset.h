// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// A handful of phrases found in page text in one pass, ignoring ASCII letter
// case. Sixteen positions at a time are tested on their first three bytes
// with nibble tables (SSSE3 byte shuffles, whatever the number of phrases),
// and each position left is compared only with the phrases that start with
// its first three bytes, so a long page costs a few instructions per byte
// whatever it says.

#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string_view>
#include <vector>

namespace ostrevo {

class PhraseSet {
public:
    enum class Start {
        Anywhere,  // "xpir" inside "Expires"
        WordStart, // "is available" not inside "this available"
    };

    // Phrases in lower case, at most 32, each of three characters or more
    // besides its spaces, the first no space. A space in a phrase stands for any
    // run of blanks (spaces, tabs, no-break spaces), none included, as pages
    // space their labels every way.
    PhraseSet(std::initializer_list<std::string_view> phrases, Start start);
    PhraseSet(std::span<const std::string_view> phrases, Start start);

    // Bytes of the text a phrase matches at `at`; 0 when none does.
    std::size_t lengthAt(std::string_view text, std::size_t at) const;
    // The index of the first phrase (in the order given) that matches at
    // `at`; npos when none does.
    std::size_t phraseAt(std::string_view text, std::size_t at) const;
    // Where a phrase first matches at or after `from`; npos if nowhere.
    std::size_t find(std::string_view text, std::size_t from = 0) const;
    bool foundIn(std::string_view text) const { return find(text) != std::string_view::npos; }

private:
    // The phrases that may start at `at`, by the three bytes there.
    std::uint32_t candidatesAt(std::string_view text, std::size_t at) const
    {
        return m_firstByte[static_cast<unsigned char>(text[at])] &
               m_secondByte[static_cast<unsigned char>(text[at + 1])] &
               m_thirdByte[static_cast<unsigned char>(text[at + 2])];
    }

    std::vector<std::string_view> m_phrases;
    // The fast filter: bit g of m_nibbles[i][0][c & 15] & m_nibbles[i][1][c >> 4]
    // is set when a phrase of group g (by its first two bytes) may have byte c
    // at position i, ASCII letter case folded away (bit 0x20 set in c). A
    // position passes when one group passes at all three; the byte tables
    // then settle it.
    alignas(16) unsigned char m_nibbles[3][2][16]{};
    // Phrases (bits) by their first, second and third byte (a blank's bytes
    // or the next character's for a blank, every byte past one), either
    // letter case.
    std::array<std::uint32_t, 256> m_firstByte{};
    std::array<std::uint32_t, 256> m_secondByte{};
    std::array<std::uint32_t, 256> m_thirdByte{};
    Start m_start;
};

} // namespace ostrevo
