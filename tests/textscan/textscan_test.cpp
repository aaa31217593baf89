// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "platform/systemseparators.h"
#include "textscan/textscan.h"

#include <gtest/gtest.h>

#include <sys/mman.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>
#include <utility>
#include <vector>

namespace ostrevo {
namespace {

using namespace std::string_literals;

constexpr std::string_view PageSeparators{"\t\n\r ,;", 6};

struct Step {
    std::string piece;
    std::int32_t cursor;
    bool operator==(const Step&) const = default;
};

void PrintTo(const Step& step, std::ostream* os)
{
    *os << '{' << testing::PrintToString(step.piece) << ", " << step.cursor << '}';
}

using Scan = std::string_view (*)(std::string_view, std::string_view, std::int32_t&);

// Calls `scan` from `cursor` `calls` times, recording each result.
std::vector<Step> run(Scan scan, std::string_view text, std::string_view separators, std::int32_t cursor,
                      int calls)
{
    std::vector<Step> steps;
    for (int i = 0; i < calls; ++i) {
        const std::string_view piece = scan(text, separators, cursor);
        steps.push_back({std::string(piece), cursor});
    }
    return steps;
}

// --- NextToken -------------------------------------------------------------

TEST(NextToken, SkipsLeadingSeparatorsAndConsumesTheOneAfterTheToken)
{
    EXPECT_EQ(run(NextToken, "  abc  def", " ", 1, 3), (std::vector<Step>{{"abc", 7}, {"def", 0}, {"", 0}}));
}

TEST(NextToken, SeparatorAtTheEndLeavesTheCursorPastTheEnd)
{
    EXPECT_EQ(run(NextToken, "ab;", ";", 1, 2), (std::vector<Step>{{"ab", 4}, {"", 0}}));
    EXPECT_EQ(run(NextToken, "ab;;;", ";", 1, 2), (std::vector<Step>{{"ab", 4}, {"", 0}}));
}

TEST(NextToken, OnlySeparatorsGiveAnEmptyTokenAtOnce)
{
    EXPECT_EQ(run(NextToken, " \r\n\t,; ", PageSeparators, 1, 1), (std::vector<Step>{{"", 0}}));
}

TEST(NextToken, QuotedStretchStaysWholeWithItsQuotes)
{
    EXPECT_EQ(run(NextToken, "a \"b c\" d", " ", 1, 4),
              (std::vector<Step>{{"a", 3}, {"\"b c\"", 9}, {"d", 0}, {"", 0}}));
    // Quotes inside a token protect just the same.
    EXPECT_EQ(run(NextToken, "x=\"1 2\"y z", " ", 1, 2), (std::vector<Step>{{"x=\"1 2\"y", 10}, {"z", 0}}));
}

TEST(NextToken, UnbalancedQuoteRunsToTheEnd)
{
    EXPECT_EQ(run(NextToken, "a \"b c d", " ", 1, 3), (std::vector<Step>{{"a", 3}, {"\"b c d", 0}, {"", 0}}));
}

TEST(NextToken, QuoteStateStartsAfreshAtTheCursor)
{
    // From inside the stretch, its closing quote opens a new one.
    const std::string text = "\"a b\" c d";
    EXPECT_EQ(run(NextToken, text, " ", 4, 2), (std::vector<Step>{{"b\" c d", 0}, {"", 0}}));
}

TEST(NextToken, QuoteListedAsSeparatorStillOnlyQuotes)
{
    EXPECT_EQ(run(NextToken, "a\"b c\"d e", " \"", 1, 2), (std::vector<Step>{{"a\"b c\"d", 9}, {"e", 0}}));
}

TEST(NextToken, RefusedArgumentsGiveEmptyAndCursorZero)
{
    for (const std::int32_t cursor :
         {0, -1, std::numeric_limits<std::int32_t>::min(), 4, 5, std::numeric_limits<std::int32_t>::max()}) {
        std::int32_t c = cursor;
        EXPECT_EQ(NextToken("abc", " ", c), "") << cursor;
        EXPECT_EQ(c, 0) << cursor;
    }
    std::int32_t c = 1;
    EXPECT_EQ(NextToken("abc", "", c), "");
    EXPECT_EQ(c, 0);
    c = 1;
    EXPECT_EQ(NextToken("", " ", c), "");
    EXPECT_EQ(c, 0);
}

TEST(NextToken, CursorInTheMiddleStartsThere)
{
    EXPECT_EQ(run(NextToken, "hello world", " ", 3, 2), (std::vector<Step>{{"llo", 7}, {"world", 0}}));
}

TEST(NextToken, AnyByteCanBeTextOrSeparator)
{
    const std::string text = "a\0b\xff"s
                             "c\xc3\xa9\0d"s;
    EXPECT_EQ(run(NextToken, text, "\0"s, 1, 3), (std::vector<Step>{{"a", 3},
                                                                    {"b\xff"s
                                                                     "c\xc3\xa9",
                                                                     9},
                                                                    {"d", 0}}));
    EXPECT_EQ(run(NextToken, text, "\xff\xa9"s, 1, 2), (std::vector<Step>{{"a\0b"s, 5}, {"c\xc3", 8}}));
}

TEST(NextToken, LongSetsAreSearchedLikeShortOnes)
{
    std::string many = "0123456789abcdefghijklmnopqrstuvwxyz"; // more than fit the fast path
    many += ' ';
    EXPECT_EQ(run(NextToken, "0a.B-9z!", many, 1, 3), (std::vector<Step>{{".B-", 7}, {"!", 0}, {"", 0}}));
}

TEST(NextToken, SetOf256IsUsedButALongerOneFindsNoSeparator)
{
    std::string all;
    for (int c = 0; c < 256; ++c) {
        all += static_cast<char>(c);
    }
    ASSERT_EQ(all.size(), 256U);
    std::int32_t cursor = 1;
    EXPECT_EQ(NextToken("a\"b c\"d e", all, cursor), "\"b c\""); // only the quote is not a separator
    EXPECT_EQ(cursor, 8);

    const std::string tooLong = all + " ";
    cursor = 2;
    EXPECT_EQ(NextToken("  ab cd", tooLong, cursor), " ab cd");
    EXPECT_EQ(cursor, 0);
    EXPECT_EQ(FindSeparator("  ab cd", tooLong, 1), 0);
}

// --- FieldOf ---------------------------------------------------------------

TEST(FieldOf, SplitsADateIntoItsParts)
{
    EXPECT_EQ(run(FieldOf, "2025/11/05", "/", 1, 4),
              (std::vector<Step>{{"2025", 6}, {"11", 9}, {"05", 0}, {"", 0}}));
}

TEST(FieldOf, AdjacentSeparatorsDelimitAnEmptyField)
{
    EXPECT_EQ(run(FieldOf, "a//b", "/", 1, 3), (std::vector<Step>{{"a", 3}, {"", 4}, {"b", 0}}));
    EXPECT_EQ(run(FieldOf, "/a", "/", 1, 2), (std::vector<Step>{{"", 2}, {"a", 0}}));
}

TEST(FieldOf, TrailingSeparatorThenAnEmptyFieldAndZero)
{
    EXPECT_EQ(run(FieldOf, "a/", "/", 1, 3), (std::vector<Step>{{"a", 3}, {"", 0}, {"", 0}}));
}

TEST(FieldOf, QuotesProtectSeparators)
{
    EXPECT_EQ(run(FieldOf, "\"a,b\",c", ",", 1, 2), (std::vector<Step>{{"\"a,b\"", 7}, {"c", 0}}));
}

TEST(FieldOf, RefusedArgumentsGiveEmptyAndCursorZero)
{
    for (const std::int32_t cursor : {0, -7, 4}) {
        std::int32_t c = cursor;
        EXPECT_EQ(FieldOf("a/b", "/", c), "");
        EXPECT_EQ(c, 0);
    }
    std::int32_t c = 1;
    EXPECT_EQ(FieldOf("a/b", "", c), "");
    EXPECT_EQ(c, 0);
}

TEST(FieldOf, NoSeparatorGivesTheRest)
{
    EXPECT_EQ(run(FieldOf, "2025", "/", 1, 1), (std::vector<Step>{{"2025", 0}}));
}

// --- FindSeparator ---------------------------------------------------------

TEST(FindSeparator, FindsTheFirstUnquotedSeparatorFromStart)
{
    EXPECT_EQ(FindSeparator("ab cd ef", " ", 1), 3);
    EXPECT_EQ(FindSeparator("ab cd ef", " ", 3), 3);
    EXPECT_EQ(FindSeparator("ab cd ef", " ", 4), 6);
    EXPECT_EQ(FindSeparator("ab cd ef", " ", 7), 0);
    EXPECT_EQ(FindSeparator("\"a b\" c", " ", 1), 6);
    EXPECT_EQ(FindSeparator("\"a b\" c", " ", 2), 3);
}

TEST(FindSeparator, RefusesWhatItCannotSearch)
{
    EXPECT_EQ(FindSeparator("", " ", 1), 0);
    EXPECT_EQ(FindSeparator("a b", "", 1), 0);
    EXPECT_EQ(FindSeparator("a b", " ", 0), 0);
    EXPECT_EQ(FindSeparator("a b", " ", 4), 0);
    EXPECT_EQ(FindSeparator("a b", " ", -3), 0);
}

TEST(FindSeparator, FindsSeparatorsAroundSixteenByteBlocks)
{
    for (std::size_t length = 1; length <= 40; ++length) {
        for (std::size_t at = 0; at < length; ++at) {
            std::string text(length, 'x');
            text[at] = ';';
            EXPECT_EQ(FindSeparator(text, " ;", 1), static_cast<std::int32_t>(at + 1)) << length << ' ' << at;
            EXPECT_EQ(FindSeparator(text, " ;", static_cast<std::int32_t>(at + 1)),
                      static_cast<std::int32_t>(at + 1));
            if (at + 2 <= length) {
                EXPECT_EQ(FindSeparator(text, " ;", static_cast<std::int32_t>(at + 2)), 0);
            }
        }
    }
}

// --- FindMarker ------------------------------------------------------------

TEST(FindMarker, FindsTheFirstOccurrenceAtOrAfterStart)
{
    EXPECT_EQ(FindMarker("abcabc", "bc", 1), 2);
    EXPECT_EQ(FindMarker("abcabc", "bc", 2), 2);
    EXPECT_EQ(FindMarker("abcabc", "bc", 3), 5);
    EXPECT_EQ(FindMarker("abcabc", "bc", 6), 0);
    EXPECT_EQ(FindMarker("aaaa", "aaa", 2), 2);
    EXPECT_EQ(FindMarker("abc", "abc", 1), 1);
    EXPECT_EQ(FindMarker("x\0y\0z"s, "\0z"s, 1), 4);
}

TEST(FindMarker, RefusesWhatItCannotSearch)
{
    EXPECT_EQ(FindMarker("", "a", 1), 0);
    EXPECT_EQ(FindMarker("abc", "", 1), 0);
    EXPECT_EQ(FindMarker("abc", "c", 0), 0);
    EXPECT_EQ(FindMarker("abc", "c", 4), 0);
    EXPECT_EQ(FindMarker("abc", "bc", 3), 0); // does not fit
    EXPECT_EQ(FindMarker("abc", "abcd", 1), 0);
}

TEST(FindMarker, MarkersUpTo256CharactersAreSearched)
{
    const std::string marker256(256, 'm');
    const std::string text = "xx" + marker256 + "m";
    EXPECT_EQ(FindMarker(text, marker256, 1), 3);
    EXPECT_EQ(FindMarker(text, marker256, 4), 4);
    EXPECT_EQ(FindMarker(text, marker256 + "m", 1), 0);
}

// --- TextBetween -----------------------------------------------------------

TEST(TextBetween, ExpiryLineOfAnOldStyleAnswer)
{
    const std::string text = "Record expires on 05-Nov-2025.\r\n";
    std::int32_t cursor = 1;
    EXPECT_EQ(TextBetween(text, "xpir", "\r", cursor), "es on 05-Nov-2025.");
    EXPECT_EQ(cursor, 32);
    EXPECT_EQ(text[static_cast<std::size_t>(cursor - 1)], '\n');
}

TEST(TextBetween, MissingEndMarkerGivesNothing)
{
    std::int32_t cursor = 1;
    EXPECT_EQ(TextBetween("Record expires on 05-Nov-2025.", "xpir", "\r", cursor), "");
    EXPECT_EQ(cursor, 0);
    cursor = 1;
    EXPECT_EQ(TextBetween("no marker here\r\n", "xpir", "\r", cursor), "");
    EXPECT_EQ(cursor, 0);
}

TEST(TextBetween, AdjacentMarkersGiveEmptyButMoveOn)
{
    std::int32_t cursor = 1;
    EXPECT_EQ(TextBetween("ab<>cd", "<", ">", cursor), "");
    EXPECT_EQ(cursor, 5);
}

TEST(TextBetween, EndMarkerIsSearchedAfterTheStartMarker)
{
    // The end marker's first characters may not overlap the start marker.
    std::int32_t cursor = 1;
    EXPECT_EQ(TextBetween("a\"\"b\"", "\"", "\"", cursor), "");
    EXPECT_EQ(cursor, 4);
    EXPECT_EQ(TextBetween("a\"\"b\"", "\"", "\"", cursor), "");
    EXPECT_EQ(cursor, 0);
}

TEST(TextBetween, LoopsOverEveryPair)
{
    const std::string text = "<a href=\"one\"> <a href=\"two\">";
    std::vector<std::string> links;
    std::int32_t cursor = 1;
    do {
        links.emplace_back(TextBetween(text, "<a href=\"", "\"", cursor));
    } while (cursor != 0);
    EXPECT_EQ(links, (std::vector<std::string>{"one", "two", ""}));
}

TEST(TextBetween, RefusesACursorOnTheLastCharacter)
{
    std::int32_t cursor = 3;
    EXPECT_EQ(TextBetween("ab<", "<", ">", cursor), "");
    EXPECT_EQ(cursor, 0);
    for (const std::int32_t bad : {0, -1, 4, 99}) {
        cursor = bad;
        EXPECT_EQ(TextBetween("a<b>", "<", ">", cursor), "");
        EXPECT_EQ(cursor, 0);
    }
    cursor = 1;
    EXPECT_EQ(TextBetween("a<b>", "", ">", cursor), "");
    EXPECT_EQ(cursor, 0);
    cursor = 1;
    EXPECT_EQ(TextBetween("a<b>", "<", "", cursor), "");
    EXPECT_EQ(cursor, 0);
}

TEST(TextBetween, MarkersLongerThan256AreNotSearched)
{
    const std::string longMarker(257, '<');
    const std::string text = longMarker + "x>";
    std::int32_t cursor = 1;
    EXPECT_EQ(TextBetween(text, longMarker, ">", cursor), "");
    EXPECT_EQ(cursor, 0);
}

TEST(TextBetween, ResultPointsIntoTheText)
{
    const std::string text = "[value]";
    std::int32_t cursor = 1;
    const std::string_view inner = TextBetween(text, "[", "]", cursor);
    EXPECT_EQ(inner.data(), text.data() + 1);
}

// --- IsNumeric, IsDateText ---------------------------------------------------

TEST(IsNumeric, DigitsAndSpacesOnly)
{
    EXPECT_FALSE(IsNumeric(""));
    EXPECT_TRUE(IsNumeric("2025"));
    EXPECT_TRUE(IsNumeric(" 12"));
    EXPECT_TRUE(IsNumeric("   "));
    EXPECT_TRUE(IsNumeric("007"));
    EXPECT_FALSE(IsNumeric("-5"));
    EXPECT_FALSE(IsNumeric("12a"));
    EXPECT_FALSE(IsNumeric("1.5"));
    EXPECT_FALSE(IsNumeric("12\0"s));
    EXPECT_FALSE(IsNumeric("\xd9\xa3")); // an Arabic-Indic digit is not a digit here
}

class IsDateTextTest : public testing::Test {
protected:
    void TearDown() override { setSystemSeparators({}); }
};

TEST_F(IsDateTextTest, DefaultSeparators)
{
    EXPECT_FALSE(IsDateText(""));
    EXPECT_TRUE(IsDateText("2025/11/05"));
    EXPECT_TRUE(IsDateText("05-11-2025 10:00 PM"));
    EXPECT_TRUE(IsDateText("-"));
    EXPECT_FALSE(IsDateText("Nov"));
    EXPECT_FALSE(IsDateText("10:00 pm"));
    EXPECT_FALSE(IsDateText("2025.11.05"));
    EXPECT_FALSE(IsDateText("2025/11/05\0"s));
}

TEST_F(IsDateTextTest, FollowsTheSystemSeparators)
{
    setSystemSeparators({'.', '.'});
    EXPECT_FALSE(IsDateText("2025/11/05"));
    EXPECT_TRUE(IsDateText("05.11.2025"));
    EXPECT_FALSE(IsDateText("10:00"));
    EXPECT_TRUE(IsDateText("10.00 AM"));
}

// --- Texts beyond 32-bit positions -------------------------------------------

// A zero-filled mapping longer than INT32_MAX costs address space only.
class HugeText : public testing::Test {
protected:
    static constexpr std::size_t Size = std::size_t{1} << 31 | 4096;       // INT32_MAX + 4097
    static constexpr auto Last = std::numeric_limits<std::int32_t>::max(); // last usable position

    void SetUp() override
    {
        void* p =
            mmap(nullptr, Size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
        if (p == MAP_FAILED) {
            GTEST_SKIP() << "no address space for a 2 GiB text";
        }
        m_data = static_cast<char*>(p);
    }
    void TearDown() override
    {
        if (m_data != nullptr) {
            munmap(m_data, Size);
        }
    }
    // Writes `s` so that its first character stands at 1-based `position`.
    void put(std::int64_t position, std::string_view s)
    {
        std::copy(s.begin(), s.end(), m_data + position - 1);
    }
    std::string_view text() const { return {m_data, Size}; }

    char* m_data = nullptr;
};

TEST_F(HugeText, SeparatorOnTheLastPositionEndsTheScan)
{
    put(Last - 4, "ab c;");
    std::int32_t cursor = Last - 4;
    EXPECT_EQ(NextToken(text(), " ;", cursor), "ab");
    EXPECT_EQ(cursor, Last - 1);
    EXPECT_EQ(NextToken(text(), " ;", cursor), "c");
    EXPECT_EQ(cursor, 0); // the next start would be past any 32-bit position
    cursor = Last;
    EXPECT_EQ(FieldOf(text(), ";", cursor), "");
    EXPECT_EQ(cursor, 0);
    EXPECT_EQ(FindSeparator(text(), ";", Last - 4), Last);
}

TEST_F(HugeText, TextEndsAtTheLastPosition)
{
    put(Last - 1, "xyz;"); // "z;" lies beyond the last position
    std::int32_t cursor = Last - 1;
    const std::string_view token = NextToken(text(), ";", cursor);
    EXPECT_EQ(token, "xy");
    EXPECT_EQ(cursor, 0);
    EXPECT_EQ(FindSeparator(text(), ";", Last - 1), 0);
    EXPECT_EQ(FindMarker(text(), "xy", Last - 1), Last - 1);
    EXPECT_EQ(FindMarker(text(), "yz", Last - 1), 0);
    EXPECT_EQ(FindMarker(text(), "y", Last), Last);
    EXPECT_EQ(FindMarker(text(), "z", Last), 0);
}

TEST_F(HugeText, TextBetweenNearTheLastPosition)
{
    put(Last - 4, "<ab>");
    std::int32_t cursor = Last - 5;
    EXPECT_EQ(TextBetween(text(), "<", ">", cursor), "ab");
    EXPECT_EQ(cursor, Last);
    put(Last - 4, "<abc>"); // end marker on the last position
    cursor = Last - 5;
    EXPECT_EQ(TextBetween(text(), "<", ">", cursor), "abc");
    EXPECT_EQ(cursor, 0);
    put(Last - 1, "<ab>"); // end marker beyond it
    cursor = Last - 2;
    EXPECT_EQ(TextBetween(text(), "<", ">", cursor), "");
    EXPECT_EQ(cursor, 0);
}

} // namespace
} // namespace ostrevo
