// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "textscan/markersearch.h"

#include <bit>
#include <cstring>

#if defined(__SSE2__) && !defined(OSTREVO_NO_SIMD)
#include <emmintrin.h>
#define OSTREVO_MARKER_SIMD 1
#else
#define OSTREVO_MARKER_SIMD 0
#endif

namespace ostrevo::detail {
namespace {

// Whether the marker stands at `at`, its first and last bytes already known
// to match.
bool middleMatches(const char* at, const char* marker, std::size_t m)
{
    return m <= 2 || std::memcmp(at + 1, marker + 1, m - 2) == 0;
}

} // namespace

std::size_t findMarkerIn(const char* text, std::size_t n, const char* marker, std::size_t m) noexcept
{
    if (m == 0 || m > n) {
        return n;
    }
    if (m == 1) {
        const void* hit = std::memchr(text, marker[0], n);
        return hit == nullptr ? n : static_cast<std::size_t>(static_cast<const char*>(hit) - text);
    }
    const std::size_t lastStart = n - m; // the last index where the marker fits
    std::size_t at = 0;
#if OSTREVO_MARKER_SIMD
    const __m128i first = _mm_set1_epi8(marker[0]);
    const __m128i last = _mm_set1_epi8(marker[m - 1]);
    // Candidates at..at+15 need bytes up to at+15+m-1, all within the text.
    for (; at + 15 <= lastStart; at += 16) {
        const __m128i heads = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + at));
        const __m128i tails = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + at + m - 1));
        auto candidates = static_cast<unsigned>(
            _mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(heads, first), _mm_cmpeq_epi8(tails, last))));
        while (candidates != 0) {
            const std::size_t candidate = at + static_cast<std::size_t>(std::countr_zero(candidates));
            if (middleMatches(text + candidate, marker, m)) {
                return candidate;
            }
            candidates &= candidates - 1;
        }
    }
#endif
    for (; at <= lastStart; ++at) {
        if (text[at] == marker[0] && text[at + m - 1] == marker[m - 1] &&
            middleMatches(text + at, marker, m)) {
            return at;
        }
    }
    return n;
}

} // namespace ostrevo::detail
