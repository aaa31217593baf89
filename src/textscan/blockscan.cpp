// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "textscan/blockscan.h"

#include <atomic>
#include <bit>
#include <cstdint>
#include <cstring>

#if OSTREVO_SEPARATOR_SIMD && (defined(__x86_64__) || defined(__i386__)) && defined(__GNUC__)
#include <immintrin.h>
#define OSTREVO_BLOCK_AVX2 1
#else
#define OSTREVO_BLOCK_AVX2 0
#endif

namespace ostrevo::detail {
namespace {

constexpr std::size_t BlockSize = 64;
// Sets with more distinct bytes are classified a byte at a time without AVX2.
constexpr std::size_t MaxCompareSetSize = 16;

// Separator and quote bits of 64 bytes, one bit per byte, first byte lowest.
struct BlockMasks {
    std::uint64_t separators;
    std::uint64_t quotes;
};

template <typename Word> bool sameEnds(const char* a, const char* b, std::size_t size) noexcept
{
    Word a0, b0, a1, b1;
    std::memcpy(&a0, a, sizeof(Word));
    std::memcpy(&b0, b, sizeof(Word));
    std::memcpy(&a1, a + size - sizeof(Word), sizeof(Word));
    std::memcpy(&b1, b + size - sizeof(Word), sizeof(Word));
    return a0 == b0 && a1 == b1;
}

// The last full block classified, with a copy of its bytes: a scan that goes
// on within it reuses its masks once the bytes are seen to be unchanged.
// The compare only confirms a predicted branch, while a fresh classification
// would lie on the path from one token's end to the next token.
struct BlockCache {
    std::uintptr_t start; // address of the block's first byte, 0 when none
    BlockMasks masks;
    alignas(64) char bytes[BlockSize];
};

// One separator set in the forms the classifiers read. Trivially built, so
// that the per-thread instance needs no construction guard.
struct SetTables {
    OSTREVO_HOT_INLINE bool holds(std::string_view set) const noexcept
    {
        if (set.size() != size) {
            return false;
        }
        if (size >= 8 && size <= 16) {
            return sameEnds<std::uint64_t>(set.data(), bytes, size);
        }
        if (size >= 4 && size < 8) {
            return sameEnds<std::uint32_t>(set.data(), bytes, size);
        }
        return std::memcmp(set.data(), bytes, size) == 0;
    }

    OSTREVO_NOINLINE void assign(std::string_view set) noexcept
    {
        cache.start = 0;
        size = set.size();
        std::memcpy(bytes, set.data(), size);
        std::memset(map, 0, sizeof map);
        std::memset(nibbles, 0, sizeof nibbles);
        distinctCount = 0;
        for (const char ch : set) {
            const auto c = static_cast<unsigned char>(ch);
            if (ch == QuoteChar || ((map[c >> 6] >> (c & 63)) & 1U) != 0) {
                continue;
            }
            map[c >> 6] |= std::uint64_t{1} << (c & 63);
            nibbles[(c >> 7) * 16 + (c & 15)] |= static_cast<unsigned char>(1U << ((c >> 4) & 7));
            if (distinctCount < MaxCompareSetSize) {
                distinct[distinctCount] = ch;
            }
            ++distinctCount;
        }
    }

    bool isSeparator(unsigned char c) const noexcept { return ((map[c >> 6] >> (c & 63)) & 1U) != 0; }

    std::size_t size;
    char bytes[MaxSeparatorSetSize];
    std::uint64_t map[4]; // the separators without the quote
    // Bit (c >> 4) & 7 of nibbles[(c >> 7) * 16 + (c & 15)] is set when byte
    // c is a separator: two 16-entry tables a byte shuffle can look up.
    alignas(16) unsigned char nibbles[32];
    char distinct[MaxCompareSetSize];
    std::size_t distinctCount;
    BlockCache cache;
};

thread_local SetTables t_tables;

OSTREVO_HOT_INLINE SetTables& tablesFor(std::string_view set) noexcept
{
    if (!t_tables.holds(set)) {
        t_tables.assign(set);
    }
    return t_tables;
}

// Classifiers of the 64 bytes at `p`.

BlockMasks classifyBytewise(const SetTables& tables, const char* p) noexcept
{
    BlockMasks masks{0, 0};
    for (std::size_t i = 0; i < BlockSize; ++i) {
        masks.separators |= std::uint64_t{tables.isSeparator(static_cast<unsigned char>(p[i]))} << i;
        masks.quotes |= std::uint64_t{p[i] == QuoteChar} << i;
    }
    return masks;
}

#if OSTREVO_SEPARATOR_SIMD
// Sixteen bytes at a time, one compare per distinct separator.
BlockMasks classifySse2(const SetTables& tables, const char* p) noexcept
{
    if (tables.distinctCount > MaxCompareSetSize) {
        return classifyBytewise(tables, p);
    }
    const __m128i quote = _mm_set1_epi8(QuoteChar);
    BlockMasks masks{0, 0};
    for (std::size_t part = 0; part < BlockSize; part += 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + part));
        __m128i hits = _mm_setzero_si128();
        for (std::size_t k = 0; k < tables.distinctCount; ++k) {
            hits = _mm_or_si128(hits, _mm_cmpeq_epi8(block, _mm_set1_epi8(tables.distinct[k])));
        }
        masks.separators |= std::uint64_t{static_cast<unsigned>(_mm_movemask_epi8(hits))} << part;
        masks.quotes |= std::uint64_t{static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(block, quote)))}
                        << part;
    }
    return masks;
}

OSTREVO_HOT_INLINE bool sameBlock(const char* a, const char* b) noexcept
{
    __m128i equal = _mm_set1_epi8(-1);
    for (std::size_t part = 0; part < BlockSize; part += 16) {
        equal =
            _mm_and_si128(equal, _mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(a + part)),
                                                _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + part))));
    }
    return _mm_movemask_epi8(equal) == 0xFFFF;
}
#else
BlockMasks classifySse2(const SetTables& tables, const char* p) noexcept
{
    return classifyBytewise(tables, p);
}

bool sameBlock(const char* a, const char* b) noexcept
{
    return std::memcmp(a, b, BlockSize) == 0;
}
#endif

#if OSTREVO_BLOCK_AVX2
[[gnu::target("avx2"), gnu::always_inline]] inline BlockMasks avx2Half(const char* at, __m256i low,
                                                                       __m256i high, __m256i bits) noexcept
{
    const __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(at));
    // A shuffle gives 0 where the index has its top bit set: each table
    // answers only for its own half of the byte values.
    const __m256i row = _mm256_or_si256(
        _mm256_shuffle_epi8(low, v), _mm256_shuffle_epi8(high, _mm256_xor_si256(v, _mm256_set1_epi8(-128))));
    const __m256i nibble = _mm256_and_si256(_mm256_srli_epi16(v, 4), _mm256_set1_epi8(0x0F));
    const __m256i bit = _mm256_shuffle_epi8(bits, nibble);
    const auto separators =
        static_cast<std::uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(_mm256_and_si256(row, bit), bit)));
    const auto quotes =
        static_cast<std::uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(v, _mm256_set1_epi8(QuoteChar))));
    return {separators, quotes};
}

// Thirty-two bytes at a time, whatever the set: each byte's low four bits
// pick a table entry, its high four bits the bit in it.
[[gnu::target("avx2")]] BlockMasks classifyAvx2(const SetTables& tables, const char* p) noexcept
{
    const __m256i low =
        _mm256_broadcastsi128_si256(_mm_load_si128(reinterpret_cast<const __m128i*>(tables.nibbles)));
    const __m256i high =
        _mm256_broadcastsi128_si256(_mm_load_si128(reinterpret_cast<const __m128i*>(tables.nibbles + 16)));
    const __m256i bits = _mm256_setr_epi8(1, 2, 4, 8, 16, 32, 64, -128, 1, 2, 4, 8, 16, 32, 64, -128, 1, 2, 4,
                                          8, 16, 32, 64, -128, 1, 2, 4, 8, 16, 32, 64, -128);
    const BlockMasks first = avx2Half(p, low, high, bits);
    const BlockMasks second = avx2Half(p + 32, low, high, bits);
    return {first.separators | (second.separators << 32), first.quotes | (second.quotes << 32)};
}

bool processorHasAvx2() noexcept
{
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") != 0;
}

std::atomic<bool> g_avx2{processorHasAvx2()};
#endif

BlockMasks classify(const SetTables& tables, const char* p) noexcept
{
#if OSTREVO_BLOCK_AVX2
    if (g_avx2.load(std::memory_order_relaxed)) {
        return classifyAvx2(tables, p);
    }
#endif
    return classifySse2(tables, p);
}

// Classified bytes of the text: bit k of the masks is byte start + k; `valid`
// has a bit for each of them that is text.
struct Window {
    std::size_t start;
    BlockMasks masks;
    std::uint64_t valid;
};

// The block starting at `at` (< n), cached unless the text ends within it
// (its bytes are then copied out). Out of line: most calls find their
// window cached.
OSTREVO_NOINLINE Window freshWindow(SetTables& tables, const char* p, std::size_t n, std::size_t at) noexcept
{
    if (n - at >= BlockSize) {
        BlockCache& cache = tables.cache;
        const BlockMasks masks = classify(tables, p + at);
        std::memcpy(cache.bytes, p + at, BlockSize);
        cache.masks = masks;
        cache.start = reinterpret_cast<std::uintptr_t>(p + at);
        return {at, masks, ~std::uint64_t{0}};
    }
    alignas(64) char tail[BlockSize] = {};
    std::memcpy(tail, p + at, n - at);
    const std::uint64_t valid = (std::uint64_t{1} << (n - at)) - 1;
    const BlockMasks masks = classify(tables, tail);
    return {at, {masks.separators & valid, masks.quotes & valid}, valid};
}

// A window holding byte `at` (< n): the cached block when it lies in the text
// and its bytes are unchanged, else a fresh one. The compare only confirms a
// predicted branch, while a fresh classification would lie on the path from
// one token's end to the next token.
OSTREVO_HOT_INLINE Window windowAt(SetTables& tables, const char* p, std::size_t n, std::size_t at) noexcept
{
    const BlockCache& cache = tables.cache;
    const auto text = reinterpret_cast<std::uintptr_t>(p);
    const auto here = text + at;
    if (cache.start <= here && here - cache.start < BlockSize && cache.start >= text && n >= BlockSize &&
        cache.start - text <= n - BlockSize && sameBlock(p + (cache.start - text), cache.bytes)) {
        return {cache.start - text, cache.masks, ~std::uint64_t{0}};
    }
    return freshWindow(tables, p, n, at);
}

// A quote before the separator: the full scan takes over from that quote.
OSTREVO_NOINLINE std::size_t endPastQuote(std::string_view separators, const char* p, std::size_t n,
                                          std::size_t quote) noexcept
{
    return SeparatorScanner(separators).findSeparator(p, n, quote);
}

// The first separator or quote at or after `from`, which lies in `window`,
// going on window by window; n when there is none.
OSTREVO_HOT_INLINE std::size_t endFrom(SetTables& tables, std::string_view separators, const char* p,
                                       std::size_t n, Window window, std::size_t from) noexcept
{
    std::uint64_t stops =
        (window.masks.separators | window.masks.quotes) & (~std::uint64_t{0} << (from - window.start));
    while (stops == 0) {
        const std::size_t next = window.start + BlockSize;
        if (next >= n) {
            return n;
        }
        window = windowAt(tables, p, n, next);
        stops = window.masks.separators | window.masks.quotes;
    }
    const std::size_t end = window.start + static_cast<std::size_t>(std::countr_zero(stops));
    if ((window.masks.quotes & stops & (0 - stops)) != 0) {
        return endPastQuote(separators, p, n, end);
    }
    return end;
}

} // namespace

SeparatorScanner::Span blockToken(std::string_view separators, const char* p, std::size_t n,
                                  std::size_t from) noexcept
{
    SetTables& tables = tablesFor(separators);
    Window window = windowAt(tables, p, n, from);
    std::uint64_t others =
        ~window.masks.separators & window.valid & (~std::uint64_t{0} << (from - window.start));
    while (others == 0) {
        const std::size_t next = window.start + BlockSize;
        if (next >= n) {
            return {n, n};
        }
        window = windowAt(tables, p, n, next);
        others = ~window.masks.separators & window.valid;
    }
    const std::size_t begin = window.start + static_cast<std::size_t>(std::countr_zero(others));
    return {begin, endFrom(tables, separators, p, n, window, begin)};
}

std::size_t blockFieldEnd(std::string_view separators, const char* p, std::size_t n,
                          std::size_t from) noexcept
{
    SetTables& tables = tablesFor(separators);
    return endFrom(tables, separators, p, n, windowAt(tables, p, n, from), from);
}

void useAvx2(bool allowAvx2) noexcept
{
#if OSTREVO_BLOCK_AVX2
    g_avx2.store(allowAvx2 && processorHasAvx2(), std::memory_order_relaxed);
#else
    (void)allowAvx2;
#endif
}

} // namespace ostrevo::detail
