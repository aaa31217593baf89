// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
//
// The block-wise separator scans and the library marker search against the
// plain one-character-at-a-time versions, on random texts; the token and
// field scans with each of the processor's classifiers.

#include "plainscan.h"
#include "textscan/blockscan.h"
#include "textscan/separatorscanner.h"
#include "textscan/textscan.h"
#include "textscan/tokenscanner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <utility>

namespace ostrevo {
namespace {

using namespace std::string_literals;

// Few distinct bytes, so separators, quotes and repeats are frequent; NUL,
// high bytes and the quote included.
const std::string Alphabet = "ab \r\n\t,;-.\"\0\xff\x80x:"s;

class RandomTexts : public testing::Test {
protected:
    std::string randomText(std::size_t maxLength)
    {
        std::uniform_int_distribution<std::size_t> length(0, maxLength);
        std::uniform_int_distribution<std::size_t> pick(0, Alphabet.size() - 1);
        std::string text(length(m_random), ' ');
        for (char& c : text) {
            c = Alphabet[pick(m_random)];
        }
        return text;
    }

    // Mostly letters: tokens of every length up to several blocks.
    std::string sparseText(std::size_t maxLength)
    {
        std::string text = randomText(maxLength);
        std::uniform_int_distribution<int> percent(0, 99);
        for (char& c : text) {
            if (percent(m_random) < 85) {
                c = 'w';
            }
        }
        return text;
    }

    // Sometimes small, sometimes more than eight or sixteen distinct
    // separators (the byte paths), sometimes with the quote in it.
    std::string randomSet()
    {
        std::uniform_int_distribution<int> size(1, m_random() % 4 == 0 ? 40 : 12);
        std::uniform_int_distribution<std::size_t> pick(0, Alphabet.size() - 1);
        std::uniform_int_distribution<int> anyByte(0, 255);
        std::string set;
        const int n = size(m_random);
        for (int i = 0; i < n; ++i) {
            set += i % 3 == 2 ? static_cast<char>(anyByte(m_random)) : Alphabet[pick(m_random)];
        }
        return set;
    }

    std::int32_t randomCursor(std::size_t length)
    {
        std::uniform_int_distribution<std::int32_t> cursor(-1, static_cast<std::int32_t>(length) + 2);
        return cursor(m_random);
    }

    std::mt19937 m_random{20260101};
};

// Every token and field test runs once per classifier.
class RandomTextsBothClassifiers : public RandomTexts, public testing::WithParamInterface<bool> {
protected:
    void SetUp() override { detail::useAvx2(GetParam()); }
    void TearDown() override { detail::useAvx2(true); }
};

INSTANTIATE_TEST_SUITE_P(Classifiers, RandomTextsBothClassifiers, testing::Values(true, false),
                         [](const testing::TestParamInfo<bool>& avx2) {
                             return avx2.param ? "Avx2" : "Sse2";
                         });

TEST_F(RandomTexts, FindSeparatorMatchesThePlainScan)
{
    for (int round = 0; round < 3000; ++round) {
        const std::string text = randomText(80);
        const std::string set = randomSet();
        for (std::int32_t start = -1; start <= static_cast<std::int32_t>(text.size()) + 1; ++start) {
            ASSERT_EQ(FindSeparator(text, set, start), plain::findSeparator(text, set, start))
                << testing::PrintToString(text) << ' ' << testing::PrintToString(set) << ' ' << start;
        }
    }
}

TEST_P(RandomTextsBothClassifiers, NextTokenMatchesThePlainScanToTheEnd)
{
    for (int round = 0; round < 5000; ++round) {
        const std::string text = randomText(120);
        const std::string set = randomSet();
        std::int32_t fast = randomCursor(text.size());
        std::int32_t slow = fast;
        for (;;) {
            const std::string_view a = NextToken(text, set, fast);
            const std::string_view b = plain::nextToken(text, set, slow);
            ASSERT_EQ(a, b) << testing::PrintToString(text) << ' ' << testing::PrintToString(set);
            ASSERT_EQ(fast, slow) << testing::PrintToString(text) << ' ' << testing::PrintToString(set);
            if (a.empty()) {
                break;
            }
            ASSERT_EQ(a.data(), b.data()); // the same place in the text, not a copy
        }
    }
}

TEST_P(RandomTextsBothClassifiers, NextTokenAndFieldOfMatchThePlainScanOnLongTokens)
{
    for (int round = 0; round < 3000; ++round) {
        const std::string text = sparseText(300);
        const std::string set = randomSet();
        using Scan = std::string_view (*)(std::string_view, std::string_view, std::int32_t&);
        const std::pair<Scan, Scan> scans[] = {{NextToken, plain::nextToken}, {FieldOf, plain::fieldOf}};
        for (const auto& [fast, slow] : scans) {
            std::int32_t a = randomCursor(text.size());
            std::int32_t b = a;
            do {
                ASSERT_EQ(fast(text, set, a), slow(text, set, b))
                    << testing::PrintToString(text) << ' ' << testing::PrintToString(set);
                ASSERT_EQ(a, b) << testing::PrintToString(text) << ' ' << testing::PrintToString(set);
            } while (a != 0);
        }
    }
}

TEST_P(RandomTextsBothClassifiers, FieldOfMatchesThePlainScanToTheEnd)
{
    for (int round = 0; round < 5000; ++round) {
        const std::string text = randomText(120);
        const std::string set = randomSet();
        std::int32_t fast = randomCursor(text.size());
        std::int32_t slow = fast;
        while (fast != 0) {
            const std::string_view a = FieldOf(text, set, fast);
            const std::string_view b = plain::fieldOf(text, set, slow);
            ASSERT_EQ(a, b) << testing::PrintToString(text) << ' ' << testing::PrintToString(set);
            ASSERT_EQ(fast, slow) << testing::PrintToString(text) << ' ' << testing::PrintToString(set);
        }
        ASSERT_EQ(slow, 0);
    }
}

// One scanner, tokens and fields in random turns, against the plain scans
// sharing one cursor: dense and sparse texts, tokens across blocks.
TEST_P(RandomTextsBothClassifiers, TokenScannerMatchesThePlainScansToTheEnd)
{
    std::bernoulli_distribution field(0.3);
    for (int round = 0; round < 6000; ++round) {
        const std::string text = round % 2 == 0 ? randomText(200) : sparseText(400);
        const std::string set = randomSet();
        std::int32_t cursor = randomCursor(text.size());
        TokenScanner scanner(text, set, cursor);
        for (;;) {
            const bool takeField = field(m_random);
            const std::string_view a = takeField ? scanner.nextField() : scanner.next();
            const std::string_view b =
                takeField ? plain::fieldOf(text, set, cursor) : plain::nextToken(text, set, cursor);
            ASSERT_EQ(a, b) << testing::PrintToString(text) << ' ' << testing::PrintToString(set);
            ASSERT_EQ(scanner.cursor(), cursor)
                << testing::PrintToString(text) << ' ' << testing::PrintToString(set);
            ASSERT_TRUE(a.empty() || a.data() == b.data());
            if (cursor == 0) {
                break;
            }
        }
        EXPECT_TRUE(scanner.next().empty() && scanner.nextField().empty() && scanner.cursor() == 0);
    }
}

// After some calls, forEach hands out what the calls would go on to return,
// over texts of many blocks, classified several at a time.
TEST_P(RandomTextsBothClassifiers, ForEachGivesWhatTheCallsWouldGoOnToReturn)
{
    std::bernoulli_distribution field(0.3);
    for (int round = 0; round < 2000; ++round) {
        const std::string text = round % 2 == 0 ? randomText(100 + round % 1500) : sparseText(1500);
        const std::string set = randomSet();
        std::int32_t cursor = randomCursor(text.size());
        TokenScanner scanner(text, set, cursor);
        for (int calls = round % 4; calls > 0 && cursor != 0; --calls) {
            const bool takeField = field(m_random);
            (void)(takeField ? scanner.nextField() : scanner.next());
            (void)(takeField ? plain::fieldOf(text, set, cursor) : plain::nextToken(text, set, cursor));
        }
        std::vector<std::string_view> expected;
        while (cursor != 0) {
            const std::string_view token = plain::nextToken(text, set, cursor);
            if (!token.empty()) {
                expected.push_back(token);
            }
        }
        std::vector<std::string_view> got;
        scanner.forEach([&](std::string_view token) { got.push_back(token); });
        ASSERT_EQ(got, expected) << testing::PrintToString(text) << ' ' << testing::PrintToString(set);
        for (std::size_t k = 0; k < got.size(); ++k) {
            ASSERT_EQ(got[k].data(), expected[k].data());
        }
        EXPECT_TRUE(scanner.next().empty() && scanner.cursor() == 0);
    }
}

// A text edited in place between calls (same address, same length) is read
// as it is now, never from what an earlier call saw there.
TEST_P(RandomTextsBothClassifiers, TextEditedBetweenCallsIsReadAsItIsNow)
{
    std::uniform_int_distribution<std::size_t> pick(0, Alphabet.size() - 1);
    for (int round = 0; round < 3000; ++round) {
        std::string text = randomText(200);
        const std::string set = randomSet();
        const bool fields = round % 2 == 1;
        std::int32_t fast = 1;
        std::int32_t slow = 1;
        while (fast != 0 && !text.empty()) {
            text[m_random() % text.size()] = Alphabet[pick(m_random)];
            const std::string_view a = fields ? FieldOf(text, set, fast) : NextToken(text, set, fast);
            const std::string_view b =
                fields ? plain::fieldOf(text, set, slow) : plain::nextToken(text, set, slow);
            ASSERT_EQ(a, b) << testing::PrintToString(text) << ' ' << testing::PrintToString(set);
            ASSERT_EQ(fast, slow) << testing::PrintToString(text) << ' ' << testing::PrintToString(set);
        }
    }
}

TEST_F(RandomTexts, FindMarkerMatchesTheBadCharacterSearch)
{
    for (int round = 0; round < 3000; ++round) {
        const std::string text = randomText(200);
        // Markers cut from the text itself, so that many are found.
        std::uniform_int_distribution<std::size_t> size(0, 6);
        std::uniform_int_distribution<std::size_t> from(0, text.size());
        const std::size_t at = from(m_random);
        std::string marker = text.substr(at, size(m_random));
        if (round % 4 == 0) {
            marker = randomText(4);
        }
        for (std::int32_t start = -1; start <= static_cast<std::int32_t>(text.size()) + 1; ++start) {
            ASSERT_EQ(FindMarker(text, marker, start), plain::findMarker(text, marker, start))
                << testing::PrintToString(text) << ' ' << testing::PrintToString(marker) << ' ' << start;
        }
    }
}

TEST_F(RandomTexts, LongMarkersInLongTextsMatchTheBadCharacterSearch)
{
    // Two-letter alphabet: candidates on first and last byte are everywhere.
    std::uniform_int_distribution<int> bit(0, 1);
    std::uniform_int_distribution<std::size_t> size(2, 300);
    for (int round = 0; round < 400; ++round) {
        std::string text(700, 'a');
        for (char& c : text) {
            c = bit(m_random) != 0 ? 'a' : 'b';
        }
        const std::size_t length = size(m_random);
        std::uniform_int_distribution<std::size_t> from(0, text.size() - std::min(length, text.size()));
        std::string marker = text.substr(from(m_random), length);
        if (round % 3 == 0) {
            marker.back() = marker.back() == 'a' ? 'b' : 'a'; // often no longer found
        }
        for (std::int32_t start = 1; start <= static_cast<std::int32_t>(text.size()); start += 7) {
            ASSERT_EQ(FindMarker(text, marker, start), plain::findMarker(text, marker, start))
                << text << ' ' << marker << ' ' << start;
        }
    }
}

TEST(MarkerSearch, FindsMarkersAroundSixteenByteBlocks)
{
    for (std::size_t length = 1; length <= 60; ++length) {
        for (std::size_t m = 1; m <= std::min<std::size_t>(length, 20); ++m) {
            for (std::size_t at = 0; at + m <= length; ++at) {
                std::string text(length, '.');
                std::string marker(m, 'x');
                marker.front() = '<';
                marker.back() = m > 1 ? '>' : '<';
                text.replace(at, m, marker);
                ASSERT_EQ(FindMarker(text, marker, 1), static_cast<std::int32_t>(at + 1))
                    << length << ' ' << m;
                ASSERT_EQ(FindMarker(text, marker, static_cast<std::int32_t>(at + 2)), 0)
                    << length << ' ' << m;
            }
        }
    }
}

TEST_F(RandomTexts, TextBetweenMatchesThePlainSearchToTheEnd)
{
    const std::string markers[] = {"a", "\"", "ab", "\r", "\r\n", " a", "\0"s, "aa"};
    std::uniform_int_distribution<std::size_t> pick(0, std::size(markers) - 1);
    for (int round = 0; round < 5000; ++round) {
        const std::string text = randomText(150);
        const std::string& open = markers[pick(m_random)];
        const std::string& close = markers[pick(m_random)];
        std::int32_t fast = randomCursor(text.size());
        std::int32_t slow = fast;
        do {
            const std::string_view a = TextBetween(text, open, close, fast);
            const std::string_view b = plain::textBetween(text, open, close, slow);
            ASSERT_EQ(a, b) << testing::PrintToString(text);
            ASSERT_EQ(fast, slow) << testing::PrintToString(text);
        } while (fast != 0);
    }
}

TEST(SeparatorScanner, BothPathsAgreeOnEveryBlockBoundary)
{
    // Eight distinct separators take the block path, nine the byte path.
    const std::string eight = "-.\t\n\r ,;";
    const std::string nine = eight + ":";
    const detail::SeparatorScanner blocks(eight);
    const detail::SeparatorScanner bytes(nine);
    for (std::size_t length = 0; length <= 50; ++length) {
        for (std::size_t at = 0; at <= length; ++at) {
            std::string text(length, 'w');
            if (at < length) {
                text[at] = ',';
            }
            for (std::size_t from = 0; from <= length; ++from) {
                const std::size_t expected = at >= from && at < length ? at : length;
                EXPECT_EQ(blocks.findSeparator(text.data(), length, from), expected);
                EXPECT_EQ(bytes.findSeparator(text.data(), length, from), expected);
            }
            std::string separators(length, ' ');
            if (at < length) {
                separators[at] = 'w';
            }
            EXPECT_EQ(blocks.skipSeparators(separators.data(), length, 0), at);
            EXPECT_EQ(bytes.skipSeparators(separators.data(), length, 0), at);
        }
    }
}

TEST(SeparatorScanner, QuotedStretchesAcrossBlocks)
{
    const detail::SeparatorScanner scanner(" ");
    const std::string text = "x\"" + std::string(40, ' ') + "\"y z";
    EXPECT_EQ(scanner.findSeparator(text.data(), text.size(), 0), text.size() - 2);
    const std::string open = "x\"" + std::string(40, ' ');
    EXPECT_EQ(scanner.findSeparator(open.data(), open.size(), 0), open.size());
}

TEST(SeparatorScanner, SetOfQuotesOnlyHasNoSeparator)
{
    const detail::SeparatorScanner scanner("\"\"");
    const std::string text = "a b\"c\" d";
    EXPECT_EQ(scanner.findSeparator(text.data(), text.size(), 0), text.size());
    EXPECT_EQ(scanner.skipSeparators(text.data(), text.size(), 0), 0U);
    std::int32_t cursor = 1;
    EXPECT_EQ(NextToken(text, "\"", cursor), text);
    EXPECT_EQ(cursor, 0);
}

} // namespace
} // namespace ostrevo
