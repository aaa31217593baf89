// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// A handful of phrases found in page text in one pass, ignoring ASCII letter
// case: each position is compared only with the phrases that start with its
// first three bytes, so a long page costs a few table look-ups per byte.

#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
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

    // Bytes of the text a phrase matches at `at`; 0 when none does.
    std::size_t lengthAt(std::string_view text, std::size_t at) const;
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
    // Phrases (bits) by their first, second and third byte (every byte past
    // a blank), either letter case.
    std::array<std::uint32_t, 256> m_firstByte{};
    std::array<std::uint32_t, 256> m_secondByte{};
    std::array<std::uint32_t, 256> m_thirdByte{};
    Start m_start;
};

} // namespace ostrevo
