// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
// Runs with LANG=en_US.UTF-8 (see CMakeLists.txt): the orders below are English.
#include "platform/collation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace ostrevo {
namespace {

int sign(int value)
{
    return (value > 0) - (value < 0);
}

std::vector<std::string> sortedByKey(std::vector<std::string> texts)
{
    std::sort(texts.begin(), texts.end(), [](const std::string& a, const std::string& b) {
        return captionSortKey(a) < captionSortKey(b);
    });
    return texts;
}

const std::vector<std::string> samples = {
    "",
    "a",
    "A",
    "ab",
    "b",
    "B",
    "http://example.com",
    "http://Example.com",
    "http://example.net",
    "http://exa-mple.com",
    "http://\xC3\xA9t\xC3\xA9.com",   // été, precomposed
    "http://e\xCC\x81te\xCC\x81.com", // été, decomposed
    "http://ete.com",
    "http://zebra.org",
    "item10",
    "item2",
    std::string("a\0b", 3),
    "abc\xFF",
    "abc\xC3",
    "\xC3\x28",
    "\xFF\xFE",
};

TEST(CaptionSortKey, OrdersWordsAsALanguageDoes)
{
    // Letter case is a tie-breaker, not a block: lower before upper, and both
    // before the next letter. Accents come after the plain letter.
    EXPECT_EQ(sortedByKey({"B", "b", "A", "a", "ab"}), (std::vector<std::string>{"a", "A", "ab", "b", "B"}));
    EXPECT_EQ(sortedByKey({"Zulu", "apple", "Banana"}),
              (std::vector<std::string>{"apple", "Banana", "Zulu"}));
    EXPECT_EQ(sortedByKey({"f", "\xC3\xA9", "e", "E"}),
              (std::vector<std::string>{"e", "E", "\xC3\xA9", "f"}));
    EXPECT_LT(captionSortKey(""), captionSortKey("a"));
}

TEST(CaptionSortKey, KeysAgreeWithTheDirectComparisonOnEveryPair)
{
    for (const auto& a : samples) {
        for (const auto& b : samples) {
            const int byKey = sign(captionSortKey(a).compare(captionSortKey(b)));
            EXPECT_EQ(byKey, compareCaptions(a, b)) << '"' << a << "\" vs \"" << b << '"';
            EXPECT_EQ(compareCaptions(a, b), -compareCaptions(b, a));
            EXPECT_EQ(compareCaptions(a, b) == 0, a == b) << "the order is total";
        }
    }
}

TEST(CaptionSortKey, TextsTheCollatorFindsEqualStillGetAFixedOrder)
{
    const std::string composed = "\xC3\xA9t\xC3\xA9";
    const std::string decomposed = "e\xCC\x81te\xCC\x81";
    EXPECT_NE(captionSortKey(composed), captionSortKey(decomposed));
    EXPECT_EQ(sign(captionSortKey(composed).compare(captionSortKey(decomposed))),
              sign(composed.compare(decomposed)));
    // Both stay between their neighbours.
    EXPECT_LT(captionSortKey("ete"), captionSortKey(decomposed));
    EXPECT_LT(captionSortKey(composed), captionSortKey("etf"));
}

TEST(CaptionSortKey, MalformedTextGetsAStablePlace)
{
    EXPECT_EQ(captionSortKey("abc\xFF"), captionSortKey("abc\xFF"));
    EXPECT_NE(captionSortKey("abc\xFF"), captionSortKey("abc\xFE"));
    EXPECT_LT(captionSortKey("abc"), captionSortKey("abc\xFF"));
    EXPECT_LT(captionSortKey("abc\xFF"), captionSortKey("abd"));
    const std::string onlyBad(1000, '\x80');
    EXPECT_FALSE(captionSortKey(onlyBad).empty());
}

TEST(CaptionSortKey, LongCaptionsAreKeyedWhole)
{
    const std::string longer(5000, 'x');
    EXPECT_LT(captionSortKey(longer + "a"), captionSortKey(longer + "b"));
    EXPECT_LT(captionSortKey(longer), captionSortKey(longer + "a"));
}

TEST(CaseFoldKey, EqualExactlyWhenTheTextsDifferOnlyInCase)
{
    EXPECT_EQ(caseFoldKey("Example.COM"), caseFoldKey("example.com"));
    EXPECT_NE(caseFoldKey("example.com"), caseFoldKey("example.org"));
    EXPECT_NE(caseFoldKey("example.com"), caseFoldKey("example.com "));
    EXPECT_EQ(caseFoldKey("CAF\xC3\x89"), caseFoldKey("caf\xC3\xA9")); // CAFÉ, café
    EXPECT_EQ(caseFoldKey("STRASSE"), caseFoldKey("stra\xC3\x9F"
                                                  "e")); // full folding: ß is ss
    EXPECT_EQ(caseFoldKey("\xCE\xA3\xCE\x91\xCE\xA3"), caseFoldKey("\xCF\x83\xCE\xB1\xCF\x82")); // ΣΑΣ, σας
    EXPECT_EQ(caseFoldKey("\xE2\x84\xAA"), caseFoldKey("k")); // Kelvin sign
    EXPECT_NE(caseFoldKey("e"), caseFoldKey("\xC3\xA9"));
}

TEST(CaseFoldKey, CanonicallyEquivalentFormsMatch)
{
    EXPECT_EQ(caseFoldKey("\xC3\xA9t\xC3\xA9"), caseFoldKey("E\xCC\x81TE\xCC\x81"));
}

TEST(CaseFoldKey, MalformedBytesAreKeptApart)
{
    EXPECT_EQ(caseFoldKey("ABC\xFF"), caseFoldKey("abc\xFF"));
    EXPECT_NE(caseFoldKey("abc\xFF"), caseFoldKey("abc\xFE"));
    EXPECT_EQ(caseFoldKey("\xC3"
                          "A"),
              caseFoldKey("\xC3"
                          "a"));
    EXPECT_NE(caseFoldKey("\xC3"), caseFoldKey("\xC3\xA9"));
    EXPECT_EQ(caseFoldKey("\xC3\x89\xFF"), caseFoldKey("\xC3\xA9\xFF"));
}

TEST(SameTextIgnoringCase, AgreesWithTheKeys)
{
    for (const auto& a : samples) {
        for (const auto& b : samples) {
            EXPECT_EQ(sameTextIgnoringCase(a, b), caseFoldKey(a) == caseFoldKey(b))
                << '"' << a << "\" vs \"" << b << '"';
        }
    }
    EXPECT_TRUE(sameTextIgnoringCase("WWW.Example.Com", "www.example.com"));
    EXPECT_FALSE(sameTextIgnoringCase("www.example.com", "www.example.co"));
    EXPECT_TRUE(sameTextIgnoringCase("k", "\xE2\x84\xAA"));
    EXPECT_TRUE(sameTextIgnoringCase("", ""));
}

} // namespace
} // namespace ostrevo
