// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "pageloader/lineends.h"

#include <gtest/gtest.h>

#include <string>

namespace ostrevo {
namespace {

struct Case {
    std::u16string text;
    std::string utf8;
};

TEST(PageTextUtf8, LineEndsAndEncodingInOnePass)
{
    const Case cases[] = {
        {u"", ""},
        {u"a\nb", "a\r\nb"},
        {u"a\rb", "a\r\nb"},
        {u"a\r\nb", "a\r\nb"},
        {u"a\n\rb", "a\r\n\r\nb"}, // LF then CR are two line ends
        {u"a\r\r\nb", "a\r\n\r\nb"},
        {u"\n", "\r\n"},
        {u"x\r", "x\r\n"},
        {u"caf\u00e9 \u20ac\t|", "caf\xC3\xA9 \xE2\x82\xAC\t|"},
        {u"\U0001F600\r", "\xF0\x9F\x98\x80\r\n"},
        {std::u16string(u"a\0b", 3), std::string("a\0b", 3)},
        // Lone surrogates, as Qt's own conversion writes them.
        {u"a" + std::u16string(1, char16_t{0xD800}) + u"b" + std::u16string(1, char16_t{0xDC00}), "a?b?"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(utf8WithCrLfLineEnds(c.text), c.utf8) << c.utf8;
    }
}

TEST(PageTextUtf8, LongTextsAcrossEveryBlockAndSliceEdge)
{
    // Sixteen units go at a time and output room is made slice by slice: line
    // ends, pairs and wide units land on every edge.
    const std::u16string pieces[] = {u"\r\n", u"\r", u"\n", u"\u00e9", u"\U0001F600", u"\u20ac"};
    const std::string utf8[] = {"\r\n", "\r\n", "\r\n", "\xC3\xA9", "\xF0\x9F\x98\x80", "\xE2\x82\xAC"};
    for (std::size_t k = 0; k < std::size(pieces); ++k) {
        std::u16string text;
        std::string expected;
        for (std::size_t i = 0; text.size() < 40000; ++i) {
            text.append(i % 23, u'x');
            expected.append(i % 23, 'x');
            text += pieces[k];
            expected += utf8[k];
        }
        ASSERT_EQ(utf8WithCrLfLineEnds(text), expected) << k;
    }
}

} // namespace
} // namespace ostrevo
