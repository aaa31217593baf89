// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// The separator scans behind FindSeparator and the quick path of NextToken
// and FieldOf. Internal to textscan; a header of its own so that its tests
// can drive it directly.
//
// Everything is built on the stack for every call: no heap, nothing kept
// between calls. Sets of up to eight characters (the sets the program uses)
// are matched sixteen bytes at a time with SSE2 compares; larger sets, or
// builds without SSE2, use a 256-bit membership map tested byte by byte.
// All paths give the same answers.
//
// The double quote is never a separator, even when the set lists it: it opens
// and closes a stretch in which nothing counts as a separator.

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string_view>

// OSTREVO_NO_SIMD builds the byte-by-byte path alone (to test it on x86).
#if defined(__SSE2__) && !defined(OSTREVO_NO_SIMD)
#include <emmintrin.h>
#define OSTREVO_SEPARATOR_SIMD 1
#else
#define OSTREVO_SEPARATOR_SIMD 0
#endif

#if defined(__GNUC__)
#define OSTREVO_HOT_INLINE [[gnu::always_inline]] inline
#define OSTREVO_NOINLINE [[gnu::noinline]]
#else
#define OSTREVO_HOT_INLINE inline
#define OSTREVO_NOINLINE
#endif

namespace ostrevo::detail {

inline constexpr char QuoteChar = '"';

// Sets longer than this find no separator at all; the callers check it.
inline constexpr std::size_t MaxSeparatorSetSize = 256;
// Sets up to this size are matched by blocks.
inline constexpr std::size_t MaxBlockSetSize = 8;

#if OSTREVO_SEPARATOR_SIMD
// Separator and quote bits of sixteen bytes, one bit per byte.
struct BlockStops {
    unsigned separators; // may include quotes when the set lists the quote
    unsigned quotes;
    unsigned all() const noexcept { return separators | quotes; }
};

// A set of one to eight characters as eight registers, each holding one
// separator in all sixteen lanes. Shorter sets repeat their first character
// (a repeat only costs a redundant compare).
class SeparatorRegisters {
public:
    OSTREVO_HOT_INLINE explicit SeparatorRegisters(std::string_view set) noexcept
    {
        // The eight bytes packed little-endian (as on every SSE2 machine),
        // without a loop: two overlapping four-byte reads cover four to eight
        // characters.
        const auto* s = reinterpret_cast<const unsigned char*>(set.data());
        const std::size_t size = set.size();
        std::uint64_t packed = 0;
        std::size_t filled = size;
        if (size >= 4) {
            std::uint32_t head = 0;
            std::uint32_t tail = 0;
            std::memcpy(&head, s, 4);
            std::memcpy(&tail, s + size - 4, 4);
            packed = head | (std::uint64_t{tail} << (8 * (size - 4)));
        } else {
            packed = s[0] | (std::uint64_t{s[size / 2]} << 8) | (std::uint64_t{s[size - 1]} << 16);
            filled = 3;
        }
        if (filled < MaxBlockSetSize) {
            packed |= (0x0101010101010101ULL * s[0]) << (8 * filled);
        }
        const __m128i bytes = _mm_set_epi64x(0, static_cast<long long>(packed));
        const __m128i pairs = _mm_unpacklo_epi8(bytes, bytes);
        const __m128i low = _mm_unpacklo_epi16(pairs, pairs);
        const __m128i high = _mm_unpackhi_epi16(pairs, pairs);
        m_v0 = _mm_shuffle_epi32(low, 0x00);
        m_v1 = _mm_shuffle_epi32(low, 0x55);
        m_v2 = _mm_shuffle_epi32(low, 0xAA);
        m_v3 = _mm_shuffle_epi32(low, 0xFF);
        m_v4 = _mm_shuffle_epi32(high, 0x00);
        m_v5 = _mm_shuffle_epi32(high, 0x55);
        m_v6 = _mm_shuffle_epi32(high, 0xAA);
        m_v7 = _mm_shuffle_epi32(high, 0xFF);
    }

    OSTREVO_HOT_INLINE BlockStops stops(__m128i block) const noexcept
    {
        const __m128i a = _mm_or_si128(_mm_cmpeq_epi8(block, m_v0), _mm_cmpeq_epi8(block, m_v1));
        const __m128i b = _mm_or_si128(_mm_cmpeq_epi8(block, m_v2), _mm_cmpeq_epi8(block, m_v3));
        const __m128i c = _mm_or_si128(_mm_cmpeq_epi8(block, m_v4), _mm_cmpeq_epi8(block, m_v5));
        const __m128i d = _mm_or_si128(_mm_cmpeq_epi8(block, m_v6), _mm_cmpeq_epi8(block, m_v7));
        const __m128i quotes = _mm_cmpeq_epi8(block, _mm_set1_epi8(QuoteChar));
        return {
            static_cast<unsigned>(_mm_movemask_epi8(_mm_or_si128(_mm_or_si128(a, b), _mm_or_si128(c, d)))),
            static_cast<unsigned>(_mm_movemask_epi8(quotes))};
    }

    OSTREVO_HOT_INLINE BlockStops stopsAt(const char* at) const noexcept
    {
        return stops(_mm_loadu_si128(reinterpret_cast<const __m128i*>(at)));
    }

private:
    __m128i m_v0, m_v1, m_v2, m_v3, m_v4, m_v5, m_v6, m_v7;
};
#endif

// The full scan: any set, any length of token, quoted stretches.
class SeparatorScanner {
public:
    struct Span {
        std::size_t begin; // first byte of the token, n when none is left
        std::size_t end;   // the separator after it, n when none follows
    };

    explicit SeparatorScanner(std::string_view separators) noexcept
    {
        bool quoteListed = false;
        for (const char ch : separators) {
            const auto c = static_cast<unsigned char>(ch);
            m_bits[c >> 6] |= std::uint64_t{1} << (c & 63);
            quoteListed = quoteListed || ch == QuoteChar;
        }
        constexpr auto q = static_cast<unsigned char>(QuoteChar);
        m_bits[q >> 6] &= ~(std::uint64_t{1} << (q & 63));
#if OSTREVO_SEPARATOR_SIMD
        // A set that lists the quote gets its own map; the quote must never
        // come out of the compares as a separator here.
        if (!separators.empty() && separators.size() <= MaxBlockSetSize && !quoteListed) {
            m_registers.emplace(separators);
        }
#endif
    }

    bool isSeparator(char ch) const noexcept
    {
        const auto c = static_cast<unsigned char>(ch);
        return (m_bits[c >> 6] >> (c & 63)) & 1U;
    }

    // Index of the first byte at or after `from` that is not a separator, or n.
    std::size_t skipSeparators(const char* p, std::size_t n, std::size_t from) const noexcept
    {
        std::size_t i = from;
#if OSTREVO_SEPARATOR_SIMD
        if (m_registers) {
            for (; i + 16 <= n; i += 16) {
                const unsigned others = ~m_registers->stopsAt(p + i).separators & 0xFFFFU;
                if (others != 0) {
                    return i + static_cast<std::size_t>(std::countr_zero(others));
                }
            }
        }
#endif
        while (i < n && isSeparator(p[i])) {
            ++i;
        }
        return i;
    }

    // Index of the first separator at or after `from` that is not inside a
    // quoted stretch, or n. The quote state is off at `from`; an unbalanced
    // quote protects everything after it.
    std::size_t findSeparator(const char* p, std::size_t n, std::size_t from) const noexcept
    {
        std::size_t i = from;
        for (;;) {
            i = findSeparatorOrQuote(p, n, i);
            if (i >= n || p[i] != QuoteChar) {
                return i;
            }
            const void* closing = std::memchr(p + i + 1, QuoteChar, n - i - 1);
            if (closing == nullptr) {
                return n;
            }
            i = static_cast<std::size_t>(static_cast<const char*>(closing) - p) + 1;
        }
    }

    // skipSeparators followed by findSeparator.
    Span token(const char* p, std::size_t n, std::size_t from) const noexcept
    {
        const std::size_t begin = skipSeparators(p, n, from);
        return {begin, begin >= n ? n : findSeparator(p, n, begin)};
    }

private:
    std::size_t findSeparatorOrQuote(const char* p, std::size_t n, std::size_t from) const noexcept
    {
        std::size_t i = from;
#if OSTREVO_SEPARATOR_SIMD
        if (m_registers) {
            for (; i + 16 <= n; i += 16) {
                const unsigned hits = m_registers->stopsAt(p + i).all();
                if (hits != 0) {
                    return i + static_cast<std::size_t>(std::countr_zero(hits));
                }
            }
        }
#endif
        while (i < n && p[i] != QuoteChar && !isSeparator(p[i])) {
            ++i;
        }
        return i;
    }

    std::uint64_t m_bits[4] = {0, 0, 0, 0};
#if OSTREVO_SEPARATOR_SIMD
    std::optional<SeparatorRegisters> m_registers;
#endif
};

// The common case of NextToken and FieldOf in a few instructions: the token
// or field ends within 32 bytes of the cursor and no quote is met. It keeps
// its separator registers out of memory, which is why it is a class of its
// own; whatever it does not settle goes to a TokenScanner.
class QuickScanner {
public:
    OSTREVO_HOT_INLINE explicit QuickScanner(std::string_view separators) noexcept
#if OSTREVO_SEPARATOR_SIMD
        : m_usable(!separators.empty() && separators.size() <= MaxBlockSetSize),
          // A listed quote does no harm here: any quote met ends the quick
          // path. An unusable set is never compared, so padding it is moot.
          m_registers(m_usable ? separators : std::string_view(" ", 1))
#endif
    {
#if !OSTREVO_SEPARATOR_SIMD
        (void)separators;
#endif
    }

    // The token at `from`: its first byte and the separator after it, both
    // within 32 bytes, no quote on the way. False when that is not so.
    OSTREVO_HOT_INLINE bool token(const char* p, std::size_t n, std::size_t from,
                                  SeparatorScanner::Span& span) const noexcept
    {
#if OSTREVO_SEPARATOR_SIMD
        if (!m_usable || from + 16 > n) {
            return false;
        }
        const BlockStops block = m_registers.stopsAt(p + from);
        const unsigned all = block.all();
        // The separators before the token are the run of ones at the bottom
        // of `all`; adding one clears that run, which leaves the token's
        // first byte as the lowest clear bit and its end as the lowest stop
        // that remains.
        const unsigned firstByte = (all + 1U) & ~all;
        const unsigned after = all & (all + 1U);
        if ((block.quotes & (firstByte - 1U)) != 0 || firstByte > 0x8000U) {
            return false; // a quote opens the token, or only separators here
        }
        const std::size_t begin = from + static_cast<std::size_t>(std::countr_zero(firstByte));
        if (after != 0) {
            if ((after & (0U - after) & block.quotes) != 0) {
                return false;
            }
            span = {begin, from + static_cast<std::size_t>(std::countr_zero(after))};
            return true;
        }
        if (from + 32 > n) {
            return false;
        }
        const BlockStops next = m_registers.stopsAt(p + from + 16);
        const unsigned end = next.all() & (0U - next.all());
        if (end == 0 || (end & next.quotes) != 0) {
            return false;
        }
        span = {begin, from + 16 + static_cast<std::size_t>(std::countr_zero(end))};
        return true;
#else
        (void)p, (void)n, (void)from, (void)span;
        return false;
#endif
    }

    // The separator ending the field at `from`, within sixteen bytes and
    // with no quote before it. False when that is not so.
    OSTREVO_HOT_INLINE bool field(const char* p, std::size_t n, std::size_t from,
                                  std::size_t& end) const noexcept
    {
#if OSTREVO_SEPARATOR_SIMD
        if (!m_usable || from + 16 > n) {
            return false;
        }
        const BlockStops block = m_registers.stopsAt(p + from);
        const unsigned first = block.all() & (0U - block.all());
        if (first == 0 || (first & block.quotes) != 0) {
            return false;
        }
        end = from + static_cast<std::size_t>(std::countr_zero(first));
        return true;
#else
        (void)p, (void)n, (void)from, (void)end;
        return false;
#endif
    }

private:
#if OSTREVO_SEPARATOR_SIMD
    bool m_usable;
    SeparatorRegisters m_registers;
#endif
};

} // namespace ostrevo::detail
