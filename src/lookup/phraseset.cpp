// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "lookup/phraseset.h"

#include <algorithm>
#include <bit>
#include <stdexcept>

namespace ostrevo {
namespace {

unsigned char lowerByte(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return u >= 'A' && u <= 'Z' ? static_cast<unsigned char>(u - 'A' + 'a') : u;
}

bool isAsciiLetter(char c)
{
    const unsigned char u = lowerByte(c);
    return u >= 'a' && u <= 'z';
}

// Bytes of the blank at `at` (space, tab, UTF-8 no-break space); 0 when none.
std::size_t blankLength(std::string_view text, std::size_t at)
{
    if (text[at] == ' ' || text[at] == '\t') {
        return 1;
    }
    return text[at] == '\xC2' && at + 1 < text.size() && text[at + 1] == '\xA0' ? 2 : 0;
}

// Bytes of `text` from `at` that `phrase` matches; 0 when it does not.
std::size_t matchLength(std::string_view text, std::size_t at, std::string_view phrase)
{
    std::size_t i = at;
    for (const char p : phrase) {
        if (p == ' ') {
            for (std::size_t blank = 0; i < text.size() && (blank = blankLength(text, i)) > 0;) {
                i += blank;
            }
            continue;
        }
        if (i == text.size() || lowerByte(text[i]) != static_cast<unsigned char>(p)) {
            return 0;
        }
        ++i;
    }
    return i - at;
}

} // namespace

PhraseSet::PhraseSet(std::initializer_list<std::string_view> phrases, Start start)
    : m_phrases(phrases), m_start(start)
{
    if (m_phrases.size() > 32) {
        throw std::logic_error("PhraseSet holds at most 32 phrases");
    }
    const auto mark = [](std::array<std::uint32_t, 256>& table, char c, std::uint32_t bit) {
        table[static_cast<unsigned char>(c)] |= bit;
        if (c >= 'a' && c <= 'z') {
            table[static_cast<unsigned char>(c - 'a' + 'A')] |= bit;
        }
    };
    for (std::size_t i = 0; i < m_phrases.size(); ++i) {
        const std::string_view phrase = m_phrases[i];
        // Every match is then three bytes or more, as the look-ups assume.
        if (phrase.empty() || phrase.front() == ' ' ||
            std::count(phrase.begin(), phrase.end(), ' ') + 3 > std::ssize(phrase)) {
            throw std::logic_error("a phrase holds three characters besides blanks, the first no blank");
        }
        const std::uint32_t bit = std::uint32_t{1} << i;
        mark(m_firstByte, phrase[0], bit);
        // A blank may stand for none, so past one any byte may follow.
        const bool blankSecond = phrase[1] == ' ';
        for (std::size_t k = 1; k < 3; ++k) {
            std::array<std::uint32_t, 256>& table = k == 1 ? m_secondByte : m_thirdByte;
            if (blankSecond || phrase[k] == ' ') {
                for (std::uint32_t& bits : table) {
                    bits |= bit;
                }
            } else {
                mark(table, phrase[k], bit);
            }
        }
    }
}

std::size_t PhraseSet::lengthAt(std::string_view text, std::size_t at) const
{
    if (at + 2 >= text.size() || (candidatesAt(text, at) == 0)) {
        return 0;
    }
    if (m_start == Start::WordStart && at > 0 && isAsciiLetter(text[at - 1])) {
        return 0;
    }
    for (std::uint32_t candidates = candidatesAt(text, at); candidates != 0; candidates &= candidates - 1) {
        const auto phrase = static_cast<std::size_t>(std::countr_zero(candidates));
        if (const std::size_t length = matchLength(text, at, m_phrases[phrase]); length > 0) {
            return length;
        }
    }
    return 0;
}

std::size_t PhraseSet::find(std::string_view text, std::size_t from) const
{
    // A few table look-ups a byte turn nearly every position away before any comparison.
    for (std::size_t at = from; at + 2 < text.size(); ++at) {
        if (candidatesAt(text, at) != 0 && lengthAt(text, at) > 0) {
            return at;
        }
    }
    return std::string_view::npos;
}

} // namespace ostrevo
