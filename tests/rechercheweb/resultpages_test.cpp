// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "rechercheweb/resultpages.h"

#include "net/httpurl.h"
#include "platform/errors.h"
#include "rechercheweb/keywordencoding.h"

#include <gtest/gtest.h>

namespace ostrevo {
namespace {

TEST(EncodeKeywordsTest, KeepsLettersDigitsSpacesAndThreeMarks)
{
    EXPECT_EQ(EncodeKeywords("cheap hotels"), "cheap hotels");
    EXPECT_EQ(EncodeKeywords("Az09 -._"), "Az09 -._");
    EXPECT_EQ(EncodeKeywords(""), "");
}

TEST(EncodeKeywordsTest, EncodesEveryOtherByteInUpperCaseHex)
{
    EXPECT_EQ(EncodeKeywords("c#"), "c%23");
    EXPECT_EQ(EncodeKeywords("a+b"), "a%2Bb");
    EXPECT_EQ(EncodeKeywords("\xE9"), "%E9");
    EXPECT_EQ(EncodeKeywords("caf\xC3\xA9"), "caf%C3%A9"); // UTF-8, byte by byte
    EXPECT_EQ(EncodeKeywords("%&=?/"), "%25%26%3D%3F%2F");
    EXPECT_EQ(EncodeKeywords(std::string("\0\t\x7F\xFF", 4)), "%00%09%7F%FF");
}

TEST(ParseInteger, DecimalWithLeadingSpacesAndSign)
{
    EXPECT_EQ(parseInteger("0"), 0);
    EXPECT_EQ(parseInteger("  10"), 10);
    EXPECT_EQ(parseInteger("-5"), -5);
    EXPECT_EQ(parseInteger("+7"), 7);
    EXPECT_EQ(parseInteger("007"), 7);
    EXPECT_EQ(parseInteger("2147483647"), 2147483647);
    EXPECT_EQ(parseInteger("-2147483648"), -2147483647 - 1);
}

TEST(ParseInteger, AnythingElseIsNotAValidIntegerValue)
{
    for (const char* text : {"", " ", "10 ", "1.5", "abc", "--5", "+-5", "-", "2147483648", "-2147483649",
                             "99999999999999999999", "0x10"}) {
        EXPECT_THROW(parseInteger(text), IntegerConvertError) << text;
    }
    try {
        parseInteger("ten");
    } catch (const IntegerConvertError& e) {
        EXPECT_STREQ(e.what(), "'ten' is not a valid integer value");
    }
}

EngineEntry engine(std::string first, std::string step)
{
    return EngineEntry{"E", "http://s.example/?q=", "&o=", std::move(first), std::move(step), ""};
}

TEST(ResultPagerTest, PagesByTheStep)
{
    ResultPager pager(engine("0", "10"));
    EXPECT_EQ(pager.nextPageUrl("a"), "http://s.example/?q=a&o=0");
    EXPECT_EQ(pager.nextPageUrl("a"), "http://s.example/?q=a&o=10");
    // Keywords are read afresh for every page.
    EXPECT_EQ(pager.nextPageUrl("b+c"), "http://s.example/?q=b%2Bc&o=20");
}

TEST(ResultPagerTest, FirstOffsetIsUsedAsStored)
{
    ResultPager pager(engine(" 00", "1"));
    EXPECT_EQ(pager.nextPageUrl("k"), "http://s.example/?q=k&o= 00");
    EXPECT_EQ(pager.nextPageUrl("k"), "http://s.example/?q=k&o=1");
}

TEST(ResultPagerTest, BadNumbersFailAtTheFirstPageWithoutMovingOn)
{
    ResultPager badStep(engine("0", "ten"));
    EXPECT_THROW(badStep.nextPageUrl("k"), IntegerConvertError);
    EXPECT_EQ(badStep.offset(), "0");
    ResultPager badOffset(engine("first", "10"));
    EXPECT_THROW(badOffset.nextPageUrl("k"), IntegerConvertError);
}

TEST(ResultPagerTest, AnOffsetPlusStepBeyond32BitsIsRefusedClearly)
{
    ResultPager pager(engine("2147483547", "100"));
    EXPECT_EQ(pager.nextPageUrl("k"), "http://s.example/?q=k&o=2147483547");
    try {
        pager.nextPageUrl("k");
        FAIL() << "no error";
    } catch (const RuntimeError& e) {
        EXPECT_STREQ(e.what(), "The next result page's offset, 2147483647 plus 100, is beyond 2147483647");
    }
    EXPECT_EQ(pager.offset(), "2147483647");
    EXPECT_THROW(ResultPager(engine("-2147483648", "-1")).nextPageUrl("k"), RuntimeError);
}

TEST(DefaultScheme, HttpInFrontUnlessAlreadyThere)
{
    EXPECT_EQ(withDefaultScheme("example.com/listex.txt"), "http://example.com/listex.txt");
    EXPECT_EQ(withDefaultScheme("HTTP://EXAMPLE.COM/x"), "HTTP://EXAMPLE.COM/x");
    EXPECT_EQ(withDefaultScheme("https://example.com/x"), "https://example.com/x");
    EXPECT_EQ(withDefaultScheme(""), "http://");
}

} // namespace
} // namespace ostrevo
