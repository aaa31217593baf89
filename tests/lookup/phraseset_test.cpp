// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "lookup/phraseset.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace ostrevo {
namespace {

// The definition, one position and one phrase at a time: what the sixteen-
// positions-at-a-time filter must agree with.
bool matchesAt(std::string_view text, std::size_t at, std::string_view phrase)
{
    for (const char p : phrase) {
        if (p == ' ') {
            while (at < text.size() &&
                   (text[at] == ' ' || text[at] == '\t' || (text.substr(at, 2) == "\xC2\xA0" && ++at))) {
                ++at;
            }
        } else if (at == text.size() || std::tolower(static_cast<unsigned char>(text[at++])) != p) {
            return false;
        }
    }
    return true;
}

std::size_t naiveFind(std::string_view text, const std::vector<std::string_view>& phrases, bool wordStart,
                      std::size_t from)
{
    for (std::size_t at = from; at < text.size(); ++at) {
        const bool afterLetter = at > 0 && std::isalpha(static_cast<unsigned char>(text[at - 1])) != 0;
        for (const std::string_view phrase : phrases) {
            if (!(wordStart && afterLetter) && matchesAt(text, at, phrase)) {
                return at;
            }
        }
    }
    return std::string_view::npos;
}

// Texts of pieces of the phrases, in either case, with blanks of every kind
// and bytes that fold onto letters ('@', '\r'), at every offset of a block.
TEST(PhraseSet, FindsWhatTheDefinitionFinds)
{
    const std::vector<std::string_view> phrases = {"no match", "not found",      "is available",
                                                   "xpir",     "status: free",   "ok-until",
                                                   "exceed",   "try again later"};
    const std::string_view pieces[] = {"no",  "NOT",   " ",     "\t",   "\xC2\xA0", "match", "Found",
                                       "is",  "avail", "xPi",   "r",    "status",   ":",     "FREE",
                                       "ok",  "-",     "UNTIL", "@",    "\r",       "e",     "xceed",
                                       "try", "again", "later", "this", "a",        "\xC3"};
    for (const PhraseSet::Start start : {PhraseSet::Start::Anywhere, PhraseSet::Start::WordStart}) {
        const PhraseSet set(phrases, start);
        std::mt19937 random(7);
        for (int round = 0; round < 3000; ++round) {
            std::string text;
            for (std::size_t n = random() % 24; n > 0; --n) {
                text += pieces[random() % std::size(pieces)];
            }
            const std::size_t from = text.empty() ? 0 : random() % (text.size() + 1) / 2;
            EXPECT_EQ(set.find(text, from),
                      naiveFind(text, phrases, start == PhraseSet::Start::WordStart, from))
                << testing::PrintToString(text) << " from " << from;
        }
    }
}

TEST(PhraseSet, FindsEveryBlankAndCaseAtEveryOffset)
{
    const PhraseSet set({"no match", "not found", "status: free"}, PhraseSet::Start::WordStart);
    for (const std::string_view found :
         {"No\xC2\xA0Match", "NOT\tFOUND", "STATUS:\xC2\xA0\tFREE", "nomatch"}) {
        for (std::size_t offset = 1; offset < 40; ++offset) {
            const std::string text = std::string(offset, '.') + std::string(found) + std::string(20, '.');
            EXPECT_EQ(set.find(text), offset) << testing::PrintToString(text);
            EXPECT_EQ(set.find("x" + text.substr(1, offset - 1) + "x" + text.substr(offset)),
                      std::string_view::npos);
        }
    }
}

TEST(PhraseSet, TellsWhichPhraseMatches)
{
    const PhraseSet set({"no match", "not found", "exceed"}, PhraseSet::Start::WordStart);
    EXPECT_EQ(set.phraseAt("NOT   FOUND", 0), 1U);
    EXPECT_EQ(set.phraseAt("nomatch", 0), 0U);
    EXPECT_EQ(set.phraseAt("must not exceed", 5), std::string_view::npos);
    EXPECT_EQ(set.phraseAt("must not exceed", 9), 2U);
    EXPECT_EQ(set.phraseAt("unexceeded", 2), std::string_view::npos);
}

} // namespace
} // namespace ostrevo
