// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "hints/hintwrap.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace ostrevo {
namespace {

constexpr int kCharWidth = 6;
constexpr int kLineHeight = 13;

// A fixed-pitch font; a line with breaks is as wide as its widest part.
int fixedWidth(std::string_view text)
{
    std::size_t widest = 0;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = std::min(text.find('\r', start), text.size());
        widest = std::max(widest, end - start);
        if (end == text.size()) {
            break;
        }
        start = end + 1;
    }
    return static_cast<int>(widest) * kCharWidth;
}

std::vector<std::string> linesOf(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = std::min(text.find('\r', start), text.size());
        lines.push_back(text.substr(start, end - start));
        if (end == text.size()) {
            return lines;
        }
        start = end + 1;
    }
}

// The rectangle the hint window is given for one line of text.
PixelRect oneLineRect(std::string_view text)
{
    return {20, 40, 20 + fixedWidth(text) + 6, 40 + kLineHeight + 2};
}

std::string repeatWords(const std::string& word, int count)
{
    std::string text;
    for (int i = 0; i < count; ++i) {
        text += (i ? " " : "") + word;
    }
    return text;
}

TEST(WrapHintTextTest, AHintNoWiderThanTheWrapWidthKeepsTextAndRectangle)
{
    const std::string text = "Start the search\rStop it";
    const PixelRect rect{20, 40, 20 + 250, 40 + 2 * kLineHeight + 2};
    const WrappedHint wrapped = wrapHintText(text, rect, 250, kLineHeight, fixedWidth);
    EXPECT_EQ(wrapped.text, text);
    EXPECT_EQ(wrapped.rect, rect);
}

TEST(WrapHintTextTest, ALongLineBreaksIntoLinesOfAtMostWrapWidthLessSix)
{
    // 60 words of 24 pixels: eight to a 234-pixel line, a ninth would make 264.
    const std::string text = repeatWords("abcd", 60);
    const WrappedHint wrapped = wrapHintText(text, oneLineRect(text), 250, kLineHeight, fixedWidth);

    const std::vector<std::string> lines = linesOf(wrapped.text);
    ASSERT_EQ(lines.size(), 8U);
    for (std::size_t i = 0; i < 7; ++i) {
        EXPECT_EQ(lines[i], repeatWords("abcd", 8));
    }
    EXPECT_EQ(lines[7], repeatWords("abcd", 4));

    // Widest line 234 + 6, plus 6; seven more lines below the first.
    EXPECT_EQ(wrapped.rect, (PixelRect{20, 40, 20 + 246, 40 + kLineHeight + 2 + 7 * kLineHeight}));
}

TEST(WrapHintTextTest, EveryLineFitsWhateverTheWordLengths)
{
    const std::string text = "a bb ccc dddd eeeee ffffff ggggggg hhhhhhhh iiiiiiiii jjjjjjjjjj kkkkkkkkkkk "
                             "llllllllllll mmmmmmmmmmmmm nnnnnnnnnnnnnn ooooooooooooooo pp q rr s tt";
    const WrappedHint wrapped = wrapHintText(text, oneLineRect(text), 250, kLineHeight, fixedWidth);
    std::string rejoined;
    for (const std::string& line : linesOf(wrapped.text)) {
        EXPECT_LE(fixedWidth(line), 244) << line;
        rejoined += (rejoined.empty() ? "" : " ") + line;
    }
    EXPECT_EQ(rejoined, text);
}

TEST(WrapHintTextTest, AWordWiderThanTheLimitGetsALineOfItsOwnAndWidensTheBalloon)
{
    const std::string wide(60, 'w'); // 360 pixels
    const std::string text = "see " + wide + " and the rest of it";
    const WrappedHint wrapped = wrapHintText(text, oneLineRect(text), 250, kLineHeight, fixedWidth);
    const std::vector<std::string> lines = linesOf(wrapped.text);
    ASSERT_EQ(lines.size(), 3U);
    EXPECT_EQ(lines[0], "see");
    EXPECT_EQ(lines[1], wide);
    EXPECT_EQ(lines[2], "and the rest of it");
    EXPECT_EQ(wrapped.rect.width(), 360 + 6 + 6);
}

TEST(WrapHintTextTest, RunsOfBlanksSeparateLikeOne)
{
    const std::string text = "  " + repeatWords("abcd", 10) + "    " + repeatWords("efgh", 10) + "   ";
    const WrappedHint wrapped = wrapHintText(text, oneLineRect(text), 250, kLineHeight, fixedWidth);
    EXPECT_EQ(linesOf(wrapped.text),
              (std::vector<std::string>{repeatWords("abcd", 8), "abcd abcd " + repeatWords("efgh", 6),
                                        repeatWords("efgh", 4)}));
}

TEST(WrapHintTextTest, HeightCountsTheLinesTheOldRectangleAlreadyHad)
{
    // Two lines of 40 words each: the old rectangle held two lines and one break.
    const std::string text = repeatWords("abcd", 40) + "\r" + repeatWords("abcd", 40);
    const PixelRect rect{0, 0, fixedWidth(text) + 6, 2 * kLineHeight + 2};
    const WrappedHint wrapped = wrapHintText(text, rect, 250, kLineHeight, fixedWidth);
    // The break stays inside its word "abcd\rabcd", and a line is as wide as its
    // widest part: the greedy pass makes nine lines, one of them holding the
    // break, drawn as ten. The old rectangle held two of them.
    EXPECT_EQ(linesOf(wrapped.text).size(), 10U);
    EXPECT_EQ(wrapped.rect.bottom, rect.bottom + 8 * kLineHeight);
}

TEST(WrapHintTextTest, ABreakClosingTheTextAddsNoLine)
{
    const std::string text = repeatWords("abcd", 20) + "\r";
    const PixelRect rect = oneLineRect(text);
    const WrappedHint wrapped = wrapHintText(text, rect, 250, kLineHeight, fixedWidth);
    // Three lines of words, the closing break kept in the last word.
    EXPECT_EQ(wrapped.rect.bottom, rect.bottom + 2 * kLineHeight);
}

TEST(WrapHintTextTest, LinesTheOldRectangleHeldRoundHalvesToEven)
{
    const std::string text = repeatWords("abcd", 20); // three lines once wrapped
    // 25 / 10 = 2.5 rounds to 2: one spare line; 35 / 10 = 3.5 rounds to 4: three.
    const WrappedHint half2 = wrapHintText(text, {0, 0, 600, 25}, 250, 10, fixedWidth);
    const WrappedHint half4 = wrapHintText(text, {0, 0, 600, 35}, 250, 10, fixedWidth);
    EXPECT_EQ(half2.rect.bottom, 25 + 10 * (3 - 1 - 1));
    EXPECT_EQ(half4.rect.bottom, 35 + 10 * (3 - 1 - 3));
}

TEST(WrapHintTextTest, BlanksAloneAreLeftAlone)
{
    const std::string text(80, ' ');
    const PixelRect rect = oneLineRect(text);
    const WrappedHint wrapped = wrapHintText(text, rect, 250, kLineHeight, fixedWidth);
    EXPECT_EQ(wrapped.text, text);
    EXPECT_EQ(wrapped.rect, rect);
}

TEST(WrapHintTextTest, AZeroLineHeightDoesNotDivideByZero)
{
    const std::string text = repeatWords("abcd", 20);
    const WrappedHint wrapped = wrapHintText(text, oneLineRect(text), 250, 0, fixedWidth);
    EXPECT_EQ(linesOf(wrapped.text).size(), 3U);
}

} // namespace
} // namespace ostrevo
