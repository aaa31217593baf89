// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "resultlist/resulttable.h"

#include <gtest/gtest.h>

#include <random>

namespace ostrevo {
namespace {

// The definition as stated: cut the text after each find and search again.
std::int32_t countByCutting(char c, std::string_view s)
{
    std::int32_t count = 0;
    for (std::int32_t p = SingleCharPos(c, s); p > 0; p = SingleCharPos(c, s)) {
        ++count;
        s.remove_prefix(static_cast<std::size_t>(p));
    }
    return count;
}

TEST(SingleCharPos, FindsTheFirstCharacterThatIsNotDoubled)
{
    EXPECT_EQ(SingleCharPos('x', "abxc"), 3);
    EXPECT_EQ(SingleCharPos('x', "axxbxc"), 5);
    EXPECT_EQ(SingleCharPos('x', "xabc"), 1);
    EXPECT_EQ(SingleCharPos('x', "axxb"), 0);
    EXPECT_EQ(SingleCharPos('x', "axxxb"), 0);
    EXPECT_EQ(SingleCharPos('x', "abc"), 0);
    EXPECT_EQ(SingleCharPos('x', ""), 0);
}

TEST(SingleCharPos, TakesTheLastCharacterEvenWhenDoubled)
{
    EXPECT_EQ(SingleCharPos('x', "abxx"), 4);
    EXPECT_EQ(SingleCharPos('x', "x"), 1);
    EXPECT_EQ(SingleCharPos('x', "xx"), 2);
    EXPECT_EQ(SingleCharPos('"', R"(say ""hi"")"), 10);
}

TEST(SingleCharCount, CountsSingleOccurrences)
{
    EXPECT_EQ(SingleCharCount('x', "axbxxcx"), 2);
    EXPECT_EQ(SingleCharCount(',', "a,b,c"), 2);
    EXPECT_EQ(SingleCharCount(',', "a,,b"), 0);
    EXPECT_EQ(SingleCharCount(',', "a,,c,"), 1);
    EXPECT_EQ(SingleCharCount(',', ""), 0);
    EXPECT_EQ(SingleCharCount('\0', std::string_view("a\0b", 3)), 1);
}

TEST(SingleCharCount, AgreesWithCuttingAndSearchingAgain)
{
    std::mt19937 random(7);
    const std::string alphabet = "xxa";
    for (int round = 0; round < 20000; ++round) {
        std::string s(random() % 12, ' ');
        for (char& c : s) {
            c = alphabet[random() % alphabet.size()];
        }
        ASSERT_EQ(SingleCharCount('x', s), countByCutting('x', s)) << s;
    }
}

} // namespace
} // namespace ostrevo
