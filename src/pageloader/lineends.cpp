// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "pageloader/lineends.h"

#include <algorithm>
#include <bit>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace ostrevo {
namespace {

// Output room is checked a slice of input at a time: at most three bytes per
// unit (a surrogate pair writes four for two units; a line end two).
constexpr std::size_t SliceUnits = 16384;
constexpr std::size_t MaxBytesPerUnit = 3;

bool isHighSurrogate(char16_t u)
{
    return u >= 0xD800 && u <= 0xDBFF;
}

bool isLowSurrogate(char16_t u)
{
    return u >= 0xDC00 && u <= 0xDFFF;
}

bool isPlain(char16_t u)
{
    return u < 0x80 && u != '\r' && u != '\n';
}

// Writes the unit at `i` (with the one after it when the two make a pair or
// a CR LF) as UTF-8 with CR LF line ends; moves `i` past them.
char* writeUnit(std::u16string_view text, std::size_t& i, char* out)
{
    const char16_t* in = text.data();
    const std::size_t n = text.size();
    const char16_t u = in[i++];
    if (u < 0x80) {
        if (u == '\r' || u == '\n') {
            if (u == '\r' && i < n && in[i] == '\n') {
                ++i;
            }
            *out++ = '\r';
            *out++ = '\n';
        } else {
            *out++ = static_cast<char>(u);
        }
    } else if (u < 0x800) {
        *out++ = static_cast<char>(0xC0 | (u >> 6));
        *out++ = static_cast<char>(0x80 | (u & 0x3F));
    } else if (isHighSurrogate(u) && i < n && isLowSurrogate(in[i])) {
        const std::uint32_t code = 0x10000 + ((std::uint32_t{u} - 0xD800) << 10) + (in[i++] - 0xDC00U);
        *out++ = static_cast<char>(0xF0 | (code >> 18));
        *out++ = static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        *out++ = static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        *out++ = static_cast<char>(0x80 | (code & 0x3F));
    } else if (isHighSurrogate(u) || isLowSurrogate(u)) {
        *out++ = '?';
    } else {
        *out++ = static_cast<char>(0xE0 | (u >> 12));
        *out++ = static_cast<char>(0x80 | ((u >> 6) & 0x3F));
        *out++ = static_cast<char>(0x80 | (u & 0x3F));
    }
    return out;
}

#if defined(__SSE2__)
// How many of the sixteen units at `in`, from the first, are ASCII and no
// line end; those are written to `out` as bytes (sixteen bytes are stored,
// the ones past them are written over later).
std::size_t copyPlainAscii(const char16_t* in, char* out)
{
    const __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in));
    const __m128i high = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + 8));
    const __m128i wideBits = _mm_set1_epi16(static_cast<short>(0xFF80));
    const __m128i narrow =
        _mm_packs_epi16(_mm_cmpeq_epi16(_mm_and_si128(low, wideBits), _mm_setzero_si128()),
                        _mm_cmpeq_epi16(_mm_and_si128(high, wideBits), _mm_setzero_si128()));
    const __m128i bytes = _mm_packus_epi16(low, high);
    const __m128i lineEnds =
        _mm_or_si128(_mm_cmpeq_epi8(bytes, _mm_set1_epi8('\r')), _mm_cmpeq_epi8(bytes, _mm_set1_epi8('\n')));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), bytes);
    const auto others =
        ~static_cast<unsigned>(_mm_movemask_epi8(_mm_andnot_si128(lineEnds, narrow))) & 0xFFFFU;
    return others == 0 ? 16 : static_cast<std::size_t>(std::countr_zero(others));
}
#endif

} // namespace

std::string utf8WithCrLfLineEnds(std::u16string_view text)
{
    std::string result;
    const char16_t* in = text.data();
    const std::size_t n = text.size();
    std::size_t written = 0;
    std::size_t i = 0;
    while (i < n) {
        const std::size_t sliceEnd = std::min(n, i + SliceUnits);
        const std::size_t room = written + (sliceEnd - i) * MaxBytesPerUnit + 1;
        if (result.size() < room) {
            // Mostly ASCII text needs little more than a byte per unit: one
            // allocation in the usual case, doubling when text runs wide.
            result.resize(std::max({room, result.size() * 2, n + n / 4 + SliceUnits * MaxBytesPerUnit}));
        }
        char* out = result.data() + written;
        while (i < sliceEnd) {
#if defined(__SSE2__)
            if (i + 16 <= sliceEnd) {
                const std::size_t plain = copyPlainAscii(in + i, out);
                i += plain;
                out += plain;
                if (plain == 16) {
                    continue;
                }
            }
#endif
            // One by one up to the next plain unit: line ends often come in
            // pairs, and wide text in runs.
            do {
                out = writeUnit(text, i, out);
            } while (i < sliceEnd && !isPlain(in[i]));
        }
        written = static_cast<std::size_t>(out - result.data());
    }
    result.resize(written);
    return result;
}

} // namespace ostrevo
