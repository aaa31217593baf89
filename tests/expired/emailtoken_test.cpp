// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "expired/emailtoken.h"
#include "textscan/textscan.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>

namespace ostrevo {
namespace {

using namespace std::string_literals;

// Token by token from the start of the page.
std::string_view firstTokenWithAt(std::string_view page)
{
    std::int32_t cursor = 1;
    for (;;) {
        const std::string_view token = NextToken(page, EmailSeparators, cursor);
        if (token.empty() || token.find('@') != std::string_view::npos) {
            return token;
        }
    }
}

TEST(EmailToken, PlainRunAroundTheFirstAt)
{
    EXPECT_EQ(firstEmailToken("Registrant Email: jane@example.com\r\n"), "jane@example.com");
    EXPECT_EQ(firstEmailToken("@start and more@x"), "@start");
    EXPECT_EQ(firstEmailToken("a,b;c@d e"), "c@d");
    EXPECT_EQ(firstEmailToken("no address here"), "");
    EXPECT_EQ(firstEmailToken(""), "");
}

TEST(EmailToken, QuotesJoinRunsBeforeTheAt)
{
    // The quote opens before the "@": the quoted stretch is one token.
    EXPECT_EQ(firstEmailToken("x \"Jane Roe <jane@example.com>\" y"), "\"Jane Roe <jane@example.com>\"");
    // A quoted stretch without "@" is passed over as a whole.
    EXPECT_EQ(firstEmailToken("\"a b\" c@d"), "c@d");
    // Its closing quote may hide the next run's start: still one token.
    EXPECT_EQ(firstEmailToken("\"a b\"c@d e"), "\"a b\"c@d");
    // An unbalanced quote takes the rest of the page.
    EXPECT_EQ(firstEmailToken("\"a b c@d e"), "\"a b c@d e");
    // A quote after the "@" belongs to the token that holds it.
    EXPECT_EQ(firstEmailToken("m@x\"y z\" w"), "m@x\"y z\"");
}

TEST(EmailToken, PointsIntoThePage)
{
    const std::string page = "Email: jane@example.com";
    EXPECT_EQ(firstEmailToken(page).data(), page.data() + 7);
}

TEST(EmailToken, MatchesTokenByTokenOnRandomPages)
{
    const std::string alphabet = "ab@\" \r\n\t,;\0x"s;
    std::mt19937 random(5);
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    std::uniform_int_distribution<std::size_t> length(0, 90);
    for (int round = 0; round < 20000; ++round) {
        std::string page(length(random), ' ');
        for (char& c : page) {
            c = alphabet[pick(random)];
        }
        const std::string_view expected = firstTokenWithAt(page);
        const std::string_view found = firstEmailToken(page);
        ASSERT_EQ(found, expected) << testing::PrintToString(page);
        if (!found.empty()) {
            ASSERT_EQ(found.data(), expected.data()) << testing::PrintToString(page);
        }
    }
}

} // namespace
} // namespace ostrevo
