// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "textscan/blockscan.h"

#include "textscan/separatorscanner.h"

#include <atomic>
#include <cstring>

#if OSTREVO_SEPARATOR_SIMD && (defined(__x86_64__) || defined(__i386__)) && defined(__GNUC__)
#include <immintrin.h>
#define OSTREVO_BLOCK_AVX2 1
#else
#define OSTREVO_BLOCK_AVX2 0
#endif

namespace ostrevo::detail {
namespace {

bool isSeparator(const SeparatorClasses& classes, unsigned char c) noexcept
{
    return ((classes.map[c >> 6] >> (c & 63)) & 1U) != 0;
}

// Separator and quote bits of 64 bytes, first byte lowest.
struct BlockMasks {
    std::uint64_t separators;
    std::uint64_t quotes;
    std::uint64_t oddQuotes; // bit k set when an odd number of quotes stand at or before byte k
};

OSTREVO_HOT_INLINE std::uint64_t oddQuotesUpTo(std::uint64_t quotes) noexcept
{
    quotes ^= quotes << 1;
    quotes ^= quotes << 2;
    quotes ^= quotes << 4;
    quotes ^= quotes << 8;
    quotes ^= quotes << 16;
    quotes ^= quotes << 32;
    return quotes;
}

OSTREVO_HOT_INLINE BlockMasks withOddQuotes(std::uint64_t separators, std::uint64_t quotes) noexcept
{
    return {separators, quotes, quotes == 0 ? 0 : oddQuotesUpTo(quotes)};
}

BlockMasks classifyBytewise(const SeparatorClasses& classes, const char* p) noexcept
{
    std::uint64_t separators = 0;
    std::uint64_t quotes = 0;
    for (std::size_t i = 0; i < BlockSize; ++i) {
        separators |= std::uint64_t{isSeparator(classes, static_cast<unsigned char>(p[i]))} << i;
        quotes |= std::uint64_t{p[i] == QuoteChar} << i;
    }
    return withOddQuotes(separators, quotes);
}

#if OSTREVO_SEPARATOR_SIMD
// Sixteen bytes at a time, one compare per distinct separator.
OSTREVO_HOT_INLINE BlockMasks classifySse2(const SeparatorClasses& classes, const char* p) noexcept
{
    if (classes.distinctCount > SeparatorClasses::MaxCompared) {
        return classifyBytewise(classes, p);
    }
    const __m128i quote = _mm_set1_epi8(QuoteChar);
    std::uint64_t separators = 0;
    std::uint64_t quotes = 0;
    for (std::size_t part = 0; part < BlockSize; part += 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + part));
        __m128i hits = _mm_setzero_si128();
        for (std::size_t k = 0; k < classes.distinctCount; ++k) {
            hits = _mm_or_si128(hits, _mm_cmpeq_epi8(block, _mm_set1_epi8(classes.distinct[k])));
        }
        separators |= std::uint64_t{static_cast<unsigned>(_mm_movemask_epi8(hits))} << part;
        quotes |= std::uint64_t{static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(block, quote)))}
                  << part;
    }
    return withOddQuotes(separators, quotes);
}
#else
OSTREVO_HOT_INLINE BlockMasks classifySse2(const SeparatorClasses& classes, const char* p) noexcept
{
    return classifyBytewise(classes, p);
}
#endif

#if OSTREVO_BLOCK_AVX2
// Separator and quote bits of 32 bytes.
struct HalfMasks {
    std::uint32_t separators;
    std::uint32_t quotes;
};

[[gnu::target("avx2"), gnu::always_inline]] inline HalfMasks avx2Half(const char* at, __m256i low,
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
[[gnu::target("avx2,pclmul"), gnu::always_inline]] inline BlockMasks
classifyAvx2(const SeparatorClasses& classes, const char* p) noexcept
{
    const __m256i low =
        _mm256_broadcastsi128_si256(_mm_load_si128(reinterpret_cast<const __m128i*>(classes.nibbles)));
    const __m256i high =
        _mm256_broadcastsi128_si256(_mm_load_si128(reinterpret_cast<const __m128i*>(classes.nibbles + 16)));
    const __m256i bits = _mm256_setr_epi8(1, 2, 4, 8, 16, 32, 64, -128, 1, 2, 4, 8, 16, 32, 64, -128, 1, 2, 4,
                                          8, 16, 32, 64, -128, 1, 2, 4, 8, 16, 32, 64, -128);
    const HalfMasks first = avx2Half(p, low, high, bits);
    const HalfMasks second = avx2Half(p + 32, low, high, bits);
    const std::uint64_t quotes = first.quotes | (std::uint64_t{second.quotes} << 32);
    // The quote prefix in one carry-less multiply by all ones.
    const __m128i odd =
        _mm_clmulepi64_si128(_mm_cvtsi64_si128(static_cast<long long>(quotes)), _mm_set1_epi8(-1), 0);
    return {first.separators | (std::uint64_t{second.separators} << 32), quotes,
            static_cast<std::uint64_t>(_mm_cvtsi128_si64(odd))};
}

// A block the text ends within, copied out: its missing bytes are left out
// of the returned mask of bytes in the text.
OSTREVO_HOT_INLINE std::uint64_t copyTail(const char* at, const char* end, char* tail) noexcept
{
    const auto available = static_cast<std::size_t>(end - at);
    std::memset(tail, 0, BlockSize);
    std::memcpy(tail, at, available);
    return ~(~std::uint64_t{0} << available);
}

OSTREVO_HOT_INLINE bool isWholeBlock(const BlockState& state, const char* at) noexcept
{
    return state.end - at >= static_cast<std::ptrdiff_t>(BlockSize);
}

OSTREVO_HOT_INLINE void settle(BlockState& state, const char* at, BlockMasks masks,
                               std::uint64_t inText) noexcept
{
    std::uint64_t separators = masks.separators;
    if ((masks.quotes | state.inQuote) != 0) {
        // Bit k of `quoted` is set when an odd number of quotes stand at or
        // before byte k: separators there lie inside a quoted stretch. The
        // stretch state is off wherever a scan starts or resumes, since
        // that is after an unquoted separator.
        const std::uint64_t quoted = masks.oddQuotes ^ state.inQuote;
        state.inQuote = 0 - (quoted >> 63);
        separators &= ~quoted;
    }
    separators &= inText;
    if (state.reachesLastPosition && state.end - at <= static_cast<std::ptrdiff_t>(BlockSize)) [[unlikely]] {
        const std::uint64_t last = std::uint64_t{1} << (state.end - at - 1);
        if ((separators & last) != 0) {
            separators &= ~last;
            inText &= ~last;
            --state.end;
            state.reachesLastPosition = false;
        }
    }
    const std::uint64_t bytes = ~separators & inText;
    const std::uint64_t afterByte = (bytes << 1) | state.inToken;
    state.block = at;
    state.separators = separators;
    state.edges = (bytes & ~afterByte) | (separators & afterByte);
    state.inToken = bytes >> 63;
}

bool processorHasAvx2() noexcept
{
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") != 0 && __builtin_cpu_supports("pclmul") != 0;
}

std::atomic<bool> g_avx2{processorHasAvx2()};

[[gnu::target("avx2,pclmul")]] OSTREVO_NOINLINE void
loadTailAvx2(BlockState& state, const SeparatorClasses& classes, const char* at) noexcept
{
    alignas(64) char tail[BlockSize];
    const std::uint64_t inText = copyTail(at, state.end, tail);
    settle(state, at, classifyAvx2(classes, tail), inText);
}

[[gnu::target("avx2,pclmul")]] void loadAvx2(BlockState& state, const SeparatorClasses& classes,
                                             const char* at) noexcept
{
    if (!isWholeBlock(state, at)) [[unlikely]] {
        loadTailAvx2(state, classes, at);
        return;
    }
    settle(state, at, classifyAvx2(classes, at), ~std::uint64_t{0});
}

[[gnu::target("avx2,pclmul")]] std::size_t loadBlocksAvx2(BlockState& state, const SeparatorClasses& classes,
                                                          const char* at, std::uint64_t* edges,
                                                          std::size_t count) noexcept
{
    for (std::size_t k = 0; k < count; ++k, at += BlockSize) {
        if (!isWholeBlock(state, at)) {
            loadTailAvx2(state, classes, at);
            edges[k] = state.edges;
            return k + 1;
        }
        settle(state, at, classifyAvx2(classes, at), ~std::uint64_t{0});
        edges[k] = state.edges;
        // The text ends here (a block ending on the last position a cursor
        // can name may have given up its last byte).
        if (state.end - at <= static_cast<std::ptrdiff_t>(BlockSize)) {
            return k + 1;
        }
    }
    return count;
}
#endif

OSTREVO_NOINLINE void loadSse2(BlockState& state, const SeparatorClasses& classes, const char* at) noexcept
{
    if (!isWholeBlock(state, at)) {
        alignas(64) char tail[BlockSize];
        const std::uint64_t inText = copyTail(at, state.end, tail);
        settle(state, at, classifySse2(classes, tail), inText);
        return;
    }
    settle(state, at, classifySse2(classes, at), ~std::uint64_t{0});
}

} // namespace

void SeparatorClasses::assign(std::string_view set) noexcept
{
    std::memset(nibbles, 0, sizeof nibbles);
    std::memset(map, 0, sizeof map);
    distinctCount = 0;
    for (const char ch : set) {
        const auto c = static_cast<unsigned char>(ch);
        if (ch == QuoteChar || isSeparator(*this, c)) {
            continue;
        }
        map[c >> 6] |= std::uint64_t{1} << (c & 63);
        nibbles[(c >> 7) * 16 + (c & 15)] |= static_cast<unsigned char>(1U << ((c >> 4) & 7));
        if (distinctCount < MaxCompared) {
            distinct[distinctCount] = ch;
        }
        ++distinctCount;
    }
}

void loadBlock(BlockState& state, const SeparatorClasses& classes, const char* at) noexcept
{
#if OSTREVO_BLOCK_AVX2
    if (g_avx2.load(std::memory_order_relaxed)) {
        loadAvx2(state, classes, at);
        return;
    }
#endif
    loadSse2(state, classes, at);
}

std::size_t loadBlocks(BlockState& state, const SeparatorClasses& classes, const char* at,
                       std::uint64_t* edges, std::size_t count) noexcept
{
#if OSTREVO_BLOCK_AVX2
    if (g_avx2.load(std::memory_order_relaxed)) {
        return loadBlocksAvx2(state, classes, at, edges, count);
    }
#endif
    for (std::size_t k = 0; k < count; ++k, at += BlockSize) {
        loadSse2(state, classes, at);
        edges[k] = state.edges;
        if (state.end - at <= static_cast<std::ptrdiff_t>(BlockSize)) {
            return k + 1;
        }
    }
    return count;
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
