// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
//
// Text scans over a 5 MB page text made up here: lines of words, numbers,
// addresses and links separated by spaces and commas, CR LF line ends and now
// and then a quoted phrase.
//
//   build/<dir>/bench/textscan_bench --benchmark_min_time=0.5

#include "../tests/textscan/plainscan.h"
#include "textscan/textscan.h"
#include "textscan/tokenscanner.h"

#include "benchsupport.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>
#include <string>
#include <string_view>

#include <immintrin.h>
#include <string.h> // memmem

namespace {

const std::size_t PageSize = ostrevo::bench::sized<std::size_t>(5 * 1024 * 1024, 64 * 1024);
constexpr std::string_view PageSeparators{"\t\n\r ,;", 6};
constexpr std::string_view DateSeparators{"-.\t\n\r ,;", 8};
constexpr std::string_view WideSeparators{"\t\n\r ,;-.:/!?|", 13};

const std::string& pageText()
{
    static const std::string text = [] {
        static constexpr std::string_view words[] = {"the",
                                                     "domain",
                                                     "of",
                                                     "registrar",
                                                     "search",
                                                     "results",
                                                     "a",
                                                     "Web",
                                                     "page",
                                                     "2025",
                                                     "11",
                                                     "about",
                                                     "for",
                                                     "and",
                                                     "keywords",
                                                     "in",
                                                     "www.example.com",
                                                     "is",
                                                     "to",
                                                     "news",
                                                     "https://www.example.org/path/to/page.html",
                                                     "Cached",
                                                     "Similar",
                                                     "-",
                                                     "contact@example.net",
                                                     "more",
                                                     "information",
                                                     "2025-11-05",
                                                     "with",
                                                     "by"};
        std::mt19937 random(7);
        std::uniform_int_distribution<std::size_t> pick(0, std::size(words) - 1);
        std::uniform_int_distribution<int> lineLength(4, 18);
        std::uniform_int_distribution<int> percent(0, 99);
        std::string out;
        out.reserve(PageSize + 256);
        while (out.size() < PageSize) {
            const int n = lineLength(random);
            for (int i = 0; i < n; ++i) {
                if (i > 0) {
                    out += percent(random) < 8 ? ", " : " ";
                }
                if (percent(random) < 2) {
                    out += '"';
                    out += words[pick(random)];
                    out += ' ';
                    out += words[pick(random)];
                    out += '"';
                } else {
                    out += words[pick(random)];
                }
            }
            out += "\r\n";
        }
        out.resize(PageSize);
        return out;
    }();
    return text;
}

template <typename Scan> void scanAll(benchmark::State& state, std::string_view separators, Scan scan)
{
    const std::string& text = pageText();
    std::int64_t pieces = 0;
    for (auto _ : state) {
        std::int32_t cursor = 1;
        std::size_t bytes = 0;
        do {
            const std::string_view piece = scan(text, separators, cursor);
            bytes += piece.size();
            ++pieces;
        } while (cursor != 0);
        benchmark::DoNotOptimize(bytes);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
    state.counters["pieces/s"] = benchmark::Counter(static_cast<double>(pieces), benchmark::Counter::kIsRate);
}

void BM_NextToken_Page(benchmark::State& state)
{
    scanAll(state, PageSeparators, ostrevo::NextToken);
}
BENCHMARK(BM_NextToken_Page);

void BM_NextToken_Page_DateSeparators(benchmark::State& state)
{
    scanAll(state, DateSeparators, ostrevo::NextToken);
}
BENCHMARK(BM_NextToken_Page_DateSeparators);

void BM_NextToken_Page_ThirteenSeparators(benchmark::State& state)
{
    scanAll(state, WideSeparators, ostrevo::NextToken);
}
BENCHMARK(BM_NextToken_Page_ThirteenSeparators);

// The same tokens read by one scanner over the whole page, as the callers
// that walk a page's tokens do.
template <std::string_view const& Separators> void BM_TokenScanner_Page(benchmark::State& state)
{
    const std::string& text = pageText();
    std::int64_t pieces = 0;
    for (auto _ : state) {
        ostrevo::TokenScanner scanner(text, Separators);
        std::size_t bytes = 0;
        for (std::string_view token = scanner.next(); !token.empty(); token = scanner.next()) {
            bytes += token.size();
            ++pieces;
        }
        benchmark::DoNotOptimize(bytes);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
    state.counters["pieces/s"] = benchmark::Counter(static_cast<double>(pieces), benchmark::Counter::kIsRate);
}
BENCHMARK_TEMPLATE(BM_TokenScanner_Page, PageSeparators);
BENCHMARK_TEMPLATE(BM_TokenScanner_Page, WideSeparators);

// The same tokens handed to a callback, for callers that read them all.
template <std::string_view const& Separators> void BM_TokenScanner_ForEach_Page(benchmark::State& state)
{
    const std::string& text = pageText();
    std::int64_t pieces = 0;
    for (auto _ : state) {
        ostrevo::TokenScanner scanner(text, Separators);
        std::size_t bytes = 0;
        scanner.forEach([&](std::string_view token) {
            bytes += token.size();
            ++pieces;
        });
        benchmark::DoNotOptimize(bytes);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
    state.counters["pieces/s"] = benchmark::Counter(static_cast<double>(pieces), benchmark::Counter::kIsRate);
}
BENCHMARK_TEMPLATE(BM_TokenScanner_ForEach_Page, PageSeparators);
BENCHMARK_TEMPLATE(BM_TokenScanner_ForEach_Page, WideSeparators);

// Baselines on the same page, to relate the figures above to figures taken
// on other texts.

// The straightforward scan the fast one is checked against.
void BM_Baseline_NextToken_PlainReference(benchmark::State& state)
{
    scanAll(state, PageSeparators, ostrevo::plain::nextToken);
}
BENCHMARK(BM_Baseline_NextToken_PlainReference);

// A tight tokenizer over a 256-bit membership map built per call.
std::string_view bitmapToken(std::string_view text, std::string_view separators, std::int32_t& cursor)
{
    const std::size_t n = text.size();
    if (cursor <= 0 || static_cast<std::size_t>(cursor) > n || separators.empty()) {
        cursor = 0;
        return {};
    }
    std::uint64_t bits[4] = {0, 0, 0, 0};
    for (const char ch : separators) {
        const auto c = static_cast<unsigned char>(ch);
        bits[c >> 6] |= std::uint64_t{1} << (c & 63);
    }
    const auto isSeparator = [&bits](char ch) {
        const auto c = static_cast<unsigned char>(ch);
        return ch != '"' && ((bits[c >> 6] >> (c & 63)) & 1U) != 0;
    };
    std::size_t i = static_cast<std::size_t>(cursor) - 1;
    while (i < n && isSeparator(text[i])) {
        ++i;
    }
    const std::size_t begin = i;
    bool quoted = false;
    for (; i < n; ++i) {
        if (text[i] == '"') {
            quoted = !quoted;
        } else if (!quoted && isSeparator(text[i])) {
            break;
        }
    }
    cursor = i >= n ? 0 : static_cast<std::int32_t>(i + 2);
    return text.substr(begin, i - begin);
}

void BM_Baseline_NextToken_BitmapTokenizer(benchmark::State& state)
{
    scanAll(state, PageSeparators, bitmapToken);
}
BENCHMARK(BM_Baseline_NextToken_BitmapTokenizer);

void BM_Baseline_NextToken_BitmapTokenizer_ThirteenSeparators(benchmark::State& state)
{
    scanAll(state, WideSeparators, bitmapToken);
}
BENCHMARK(BM_Baseline_NextToken_BitmapTokenizer_ThirteenSeparators);

// The token runs of a text, walked one 64-byte block of separator bits at a
// time: the bytes and tokens found, as a scan would hand them out.
struct TokenRuns {
    std::int64_t& tokens;
    std::size_t bytes = 0;
    std::size_t begin = 0;
    bool inToken = false;

    __attribute__((target("bmi"), always_inline)) void block(std::size_t at, std::uint64_t sep)
    {
        // Token edges: where separators stop and start.
        std::uint64_t edges = sep ^ ((sep << 1) | (inToken ? 0 : 1));
        while (edges != 0) {
            const std::size_t bit = static_cast<std::size_t>(_tzcnt_u64(edges));
            if (inToken) {
                bytes += at + bit - begin;
                ++tokens;
            } else {
                begin = at + bit;
            }
            inToken = !inToken;
            edges = _blsr_u64(edges);
        }
        inToken = (sep >> 63) == 0;
    }

    std::size_t end(std::size_t whole)
    {
        if (inToken) {
            bytes += whole - begin;
            ++tokens;
        }
        return bytes;
    }
};

// A whole-text tokenizer that needs no per-token calls: 64-byte blocks are
// compared with every separator (AVX2), quoted stretches masked out by a
// running prefix XOR of the quote bits, and the runs of non-separators walked
// bit by bit. The same tokens as NextToken; what a scan can reach at best.
__attribute__((target("avx2,bmi"))) std::size_t avx2Tokens(std::string_view text, std::string_view separators,
                                                           std::int64_t& tokens)
{
    const __m256i quote = _mm256_set1_epi8('"');
    __m256i sets[256];
    std::size_t setSize = 0;
    for (const char c : separators) {
        if (c != '"') {
            sets[setSize++] = _mm256_set1_epi8(c);
        }
    }
    TokenRuns runs{tokens};
    std::uint64_t inQuote = 0; // all ones while a quoted stretch runs on
    const std::size_t whole = text.size() / 64 * 64;
    for (std::size_t at = 0; at < whole; at += 64) {
        const __m256i a = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(text.data() + at));
        const __m256i b = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(text.data() + at + 32));
        __m256i sa = _mm256_setzero_si256();
        __m256i sb = _mm256_setzero_si256();
        for (std::size_t k = 0; k < setSize; ++k) {
            sa = _mm256_or_si256(sa, _mm256_cmpeq_epi8(a, sets[k]));
            sb = _mm256_or_si256(sb, _mm256_cmpeq_epi8(b, sets[k]));
        }
        std::uint64_t sep = static_cast<std::uint32_t>(_mm256_movemask_epi8(sa)) |
                            (std::uint64_t{static_cast<std::uint32_t>(_mm256_movemask_epi8(sb))} << 32);
        const std::uint64_t quotes =
            static_cast<std::uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(a, quote))) |
            (std::uint64_t{static_cast<std::uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(b, quote)))}
             << 32);
        std::uint64_t quoted = quotes;
        for (int shift = 1; shift < 64; shift *= 2) {
            quoted ^= quoted << shift;
        }
        quoted ^= inQuote;
        inQuote = static_cast<std::uint64_t>(static_cast<std::int64_t>(quoted) >> 63);
        sep &= ~(quoted & ~quotes);
        runs.block(at, sep);
    }
    return runs.end(whole); // the tail is left to plain code in a real scan
}

template <std::string_view const& Separators>
void BM_Baseline_NextToken_Avx2Classifier(benchmark::State& state)
{
    if (!__builtin_cpu_supports("avx2")) {
        state.SkipWithError("no AVX2");
        return;
    }
    const std::string& text = pageText();
    std::int64_t tokens = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(avx2Tokens(text, Separators, tokens));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
    state.counters["pieces/s"] = benchmark::Counter(static_cast<double>(tokens), benchmark::Counter::kIsRate);
}
BENCHMARK_TEMPLATE(BM_Baseline_NextToken_Avx2Classifier, PageSeparators);
BENCHMARK_TEMPLATE(BM_Baseline_NextToken_Avx2Classifier, WideSeparators);

// Separator and quote bits of 32 bytes by the nibble tables.
__attribute__((target("avx2"), always_inline)) inline std::uint32_t
nibbleClassify(const char* at, __m256i low, __m256i high, __m256i bits, std::uint32_t& quotes)
{
    const __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(at));
    const __m256i row = _mm256_or_si256(
        _mm256_shuffle_epi8(low, v), _mm256_shuffle_epi8(high, _mm256_xor_si256(v, _mm256_set1_epi8(-128))));
    const __m256i bit =
        _mm256_shuffle_epi8(bits, _mm256_and_si256(_mm256_srli_epi16(v, 4), _mm256_set1_epi8(15)));
    quotes = static_cast<std::uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(v, _mm256_set1_epi8('"'))));
    return static_cast<std::uint32_t>(
        _mm256_movemask_epi8(_mm256_cmpeq_epi8(_mm256_and_si256(row, bit), bit)));
}

// The classifier a careful engineer writes for any separator set: each
// byte's low four bits pick an entry of a 16-byte table and its high four
// bits the bit in it (two byte shuffles, whatever the set's size), the quote
// prefix is one carry-less multiply, and the token runs are walked bit by
// bit. The same tokens as the scanner over the whole text.
__attribute__((target("avx2,bmi,pclmul"))) std::size_t
nibbleTokens(std::string_view text, std::string_view separators, std::int64_t& tokens)
{
    alignas(16) unsigned char tables[32] = {};
    for (const char ch : separators) {
        const auto c = static_cast<unsigned char>(ch);
        if (ch != '"') {
            tables[(c >> 7) * 16 + (c & 15)] |= static_cast<unsigned char>(1U << ((c >> 4) & 7));
        }
    }
    const __m256i low = _mm256_broadcastsi128_si256(_mm_load_si128(reinterpret_cast<const __m128i*>(tables)));
    const __m256i high =
        _mm256_broadcastsi128_si256(_mm_load_si128(reinterpret_cast<const __m128i*>(tables + 16)));
    const __m256i bits = _mm256_setr_epi8(1, 2, 4, 8, 16, 32, 64, -128, 1, 2, 4, 8, 16, 32, 64, -128, 1, 2, 4,
                                          8, 16, 32, 64, -128, 1, 2, 4, 8, 16, 32, 64, -128);
    TokenRuns runs{tokens};
    std::uint64_t inQuote = 0;
    const std::size_t whole = text.size() / 64 * 64;
    for (std::size_t at = 0; at < whole; at += 64) {
        std::uint32_t quotesLow = 0;
        std::uint32_t quotesHigh = 0;
        std::uint64_t sep = nibbleClassify(text.data() + at, low, high, bits, quotesLow);
        sep |= std::uint64_t{nibbleClassify(text.data() + at + 32, low, high, bits, quotesHigh)} << 32;
        const std::uint64_t quotes = quotesLow | (std::uint64_t{quotesHigh} << 32);
        if ((quotes | inQuote) != 0) {
            const std::uint64_t quoted =
                static_cast<std::uint64_t>(_mm_cvtsi128_si64(_mm_clmulepi64_si128(
                    _mm_cvtsi64_si128(static_cast<long long>(quotes)), _mm_set1_epi8(-1), 0))) ^
                inQuote;
            inQuote = 0 - (quoted >> 63);
            sep &= ~quoted;
        }
        runs.block(at, sep);
    }
    return runs.end(whole);
}

template <std::string_view const& Separators> void BM_Peer_NibbleClassifier(benchmark::State& state)
{
    if (!__builtin_cpu_supports("avx2") || !__builtin_cpu_supports("pclmul")) {
        state.SkipWithError("no AVX2");
        return;
    }
    const std::string& text = pageText();
    std::int64_t tokens = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(nibbleTokens(text, Separators, tokens));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
    state.counters["pieces/s"] = benchmark::Counter(static_cast<double>(tokens), benchmark::Counter::kIsRate);
}
BENCHMARK_TEMPLATE(BM_Peer_NibbleClassifier, PageSeparators);
BENCHMARK_TEMPLATE(BM_Peer_NibbleClassifier, WideSeparators);

void BM_Baseline_Memmem_NoMatch(benchmark::State& state)
{
    const std::string& text = pageText();
    for (auto _ : state) {
        benchmark::DoNotOptimize(::memmem(text.data(), text.size(), "xpir", 4));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_Baseline_Memmem_NoMatch);

void BM_FieldOf_Page(benchmark::State& state)
{
    scanAll(state, PageSeparators, ostrevo::FieldOf);
}
BENCHMARK(BM_FieldOf_Page);

// Markers that do not occur in the page: the whole 5 MB is searched.
const std::string_view AbsentMarkers[] = {"\x01", "xpir", "No match for domain",
                                          "<a href=\"https://www.example.org/path/to/page.html\">"};

void BM_FindMarker_NoMatch(benchmark::State& state)
{
    const std::string& text = pageText();
    const std::string_view marker = AbsentMarkers[state.range(0)];
    for (auto _ : state) {
        benchmark::DoNotOptimize(ostrevo::FindMarker(text, marker, 1));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
    state.SetLabel("marker length " + std::to_string(marker.size()));
}
BENCHMARK(BM_FindMarker_NoMatch)->DenseRange(0, 3);

void BM_TextBetween_NoStartMarker(benchmark::State& state)
{
    const std::string& text = pageText();
    for (auto _ : state) {
        std::int32_t cursor = 1;
        benchmark::DoNotOptimize(ostrevo::TextBetween(text, "xpir", "\r", cursor));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_TextBetween_NoStartMarker);

void BM_TextBetween_NoEndMarker(benchmark::State& state)
{
    // The start marker opens the page; the end marker is nowhere.
    const std::string& text = pageText();
    const std::string startMarker = text.substr(0, 2);
    for (auto _ : state) {
        std::int32_t cursor = 1;
        benchmark::DoNotOptimize(ostrevo::TextBetween(text, startMarker, "</a>", cursor));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_TextBetween_NoEndMarker);

void BM_IsNumeric_Digits(benchmark::State& state)
{
    const std::string digits(PageSize, '7');
    for (auto _ : state) {
        benchmark::DoNotOptimize(ostrevo::IsNumeric(digits));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(digits.size()));
}
BENCHMARK(BM_IsNumeric_Digits);

} // namespace

BENCHMARK_MAIN();
