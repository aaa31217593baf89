// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "lookup/phraseset.h"

#include <algorithm>
#include <bit>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#if (defined(__x86_64__) || defined(__i386__)) && defined(__GNUC__) && !defined(OSTREVO_NO_SIMD)
#include <tmmintrin.h>
#define OSTREVO_PHRASE_SIMD 1
#else
#define OSTREVO_PHRASE_SIMD 0
#endif

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

// The bytes a match may hold at position k (0-2) of the phrase; nothing when
// any byte may. A blank there stands for a blank byte or, as a run of blanks
// may be empty, the phrase's next character; past a blank, any byte may come.
std::optional<std::string> bytesAtPosition(std::string_view phrase, std::size_t k)
{
    if (phrase.substr(0, k).find(' ') != std::string_view::npos || k >= phrase.size()) {
        return std::nullopt;
    }
    if (phrase[k] != ' ') {
        return std::string(1, phrase[k]);
    }
    return k + 1 < phrase.size() ? std::optional<std::string>(std::string(" \t\xC2") + phrase[k + 1])
                                 : std::nullopt;
}

} // namespace

PhraseSet::PhraseSet(std::initializer_list<std::string_view> phrases, Start start)
    : PhraseSet(std::span<const std::string_view>(phrases.begin(), phrases.size()), start)
{}

PhraseSet::PhraseSet(std::span<const std::string_view> phrases, Start start)
    : m_phrases(phrases.begin(), phrases.end()), m_start(start)
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
    // Phrases that start alike share a group of the fast filter, so that a
    // group's bytes rarely combine into starts no phrase has.
    std::vector<std::string> groupStarts;
    for (std::size_t i = 0; i < m_phrases.size(); ++i) {
        const std::string_view phrase = m_phrases[i];
        // Every match is then three bytes or more, as the look-ups assume.
        if (phrase.empty() || phrase.front() == ' ' ||
            std::count(phrase.begin(), phrase.end(), ' ') + 3 > std::ssize(phrase)) {
            throw std::logic_error("a phrase holds three characters besides blanks, the first no blank");
        }
        const std::string opening(phrase.substr(0, phrase[1] == ' ' ? 1 : 2));
        auto group = std::find(groupStarts.begin(), groupStarts.end(), opening);
        if (group == groupStarts.end()) {
            group = groupStarts.insert(group, opening);
        }
        const auto groupBit = static_cast<unsigned char>(1U << ((group - groupStarts.begin()) % 8));
        const std::uint32_t bit = std::uint32_t{1} << i;
        std::array<std::uint32_t, 256>* const tables[3] = {&m_firstByte, &m_secondByte, &m_thirdByte};
        for (std::size_t k = 0; k < 3; ++k) {
            const std::optional<std::string> bytes = bytesAtPosition(phrase, k);
            for (std::size_t c = 0; c < 256; ++c) {
                if (!bytes || bytes->find(static_cast<char>(c)) != std::string::npos) {
                    mark(*tables[k], static_cast<char>(c), bit);
                    m_nibbles[k][0][(c | 0x20) & 15] |= groupBit;
                    m_nibbles[k][1][(c | 0x20) >> 4] |= groupBit;
                }
            }
        }
    }
}

std::size_t PhraseSet::lengthAt(std::string_view text, std::size_t at) const
{
    const std::size_t phrase = phraseAt(text, at);
    return phrase == std::string_view::npos ? 0 : matchLength(text, at, m_phrases[phrase]);
}

std::size_t PhraseSet::phraseAt(std::string_view text, std::size_t at) const
{
    if (at + 2 >= text.size() || (candidatesAt(text, at) == 0)) {
        return std::string_view::npos;
    }
    if (m_start == Start::WordStart && at > 0 && isAsciiLetter(text[at - 1])) {
        return std::string_view::npos;
    }
    for (std::uint32_t candidates = candidatesAt(text, at); candidates != 0; candidates &= candidates - 1) {
        const auto phrase = static_cast<std::size_t>(std::countr_zero(candidates));
        if (matchLength(text, at, m_phrases[phrase]) > 0) {
            return phrase;
        }
    }
    return std::string_view::npos;
}

#if OSTREVO_PHRASE_SIMD
namespace {

bool processorHasSsse3()
{
    __builtin_cpu_init();
    return __builtin_cpu_supports("ssse3") != 0;
}

// Bit k set when a phrase of `nibbles` may start at at[k]; reads at[-1] for
// word starts and up to at[17].
[[gnu::target("ssse3"), gnu::always_inline]] inline std::uint32_t
likelyStarts(const unsigned char (&nibbles)[3][2][16], const char* at, bool wordStart)
{
    const __m128i fold = _mm_set1_epi8(0x20);
    const __m128i lowNibble = _mm_set1_epi8(0x0F);
    __m128i groups = _mm_set1_epi8(-1);
    for (std::size_t i = 0; i < 3; ++i) {
        const __m128i bytes = _mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(at + i)), fold);
        const __m128i low = _mm_load_si128(reinterpret_cast<const __m128i*>(nibbles[i][0]));
        const __m128i high = _mm_load_si128(reinterpret_cast<const __m128i*>(nibbles[i][1]));
        groups = _mm_and_si128(groups, _mm_shuffle_epi8(low, _mm_and_si128(bytes, lowNibble)));
        groups =
            _mm_and_si128(groups, _mm_shuffle_epi8(high, _mm_and_si128(_mm_srli_epi16(bytes, 4), lowNibble)));
    }
    __m128i none = _mm_cmpeq_epi8(groups, _mm_setzero_si128());
    if (wordStart) {
        // A letter before the position: shifted so that 'a'..'z' become the
        // 26 smallest signed bytes.
        const __m128i before = _mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(at - 1)), fold);
        const __m128i shifted = _mm_add_epi8(before, _mm_set1_epi8(static_cast<char>(0x80 - 'a')));
        none = _mm_or_si128(none, _mm_cmplt_epi8(shifted, _mm_set1_epi8(static_cast<char>(-128 + 26))));
    }
    return ~static_cast<std::uint32_t>(_mm_movemask_epi8(none)) & 0xFFFF;
}

const bool hasSsse3 = processorHasSsse3();

// The first match from `at` on among the positions sixteen at a time can
// test; npos when there is none, `at` then moved to the first untested one.
[[gnu::target("ssse3")]] std::size_t findBlockwise(const PhraseSet& set,
                                                   const unsigned char (&nibbles)[3][2][16],
                                                   std::string_view text, std::size_t& at, bool wordStart)
{
    for (; at + 18 <= text.size(); at += 16) {
        for (std::uint32_t likely = likelyStarts(nibbles, text.data() + at, wordStart); likely != 0;
             likely &= likely - 1) {
            const std::size_t candidate = at + static_cast<std::size_t>(std::countr_zero(likely));
            if (set.phraseAt(text, candidate) != std::string_view::npos) {
                return candidate;
            }
        }
    }
    return std::string_view::npos;
}

} // namespace
#endif

std::size_t PhraseSet::find(std::string_view text, std::size_t from) const
{
    std::size_t at = from;
    if (at == 0 && m_start == Start::WordStart) {
        // The word-start test of the fast path reads the byte before.
        if (phraseAt(text, 0) != std::string_view::npos) {
            return 0;
        }
        at = 1;
    }
#if OSTREVO_PHRASE_SIMD
    if (hasSsse3) {
        if (const std::size_t found = findBlockwise(*this, m_nibbles, text, at, m_start == Start::WordStart);
            found != std::string_view::npos) {
            return found;
        }
    }
#endif
    // A few table look-ups a byte turn nearly every position away before any comparison.
    for (; at + 2 < text.size(); ++at) {
        if (candidatesAt(text, at) != 0 && phraseAt(text, at) != std::string_view::npos) {
            return at;
        }
    }
    return std::string_view::npos;
}

} // namespace ostrevo
