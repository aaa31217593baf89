// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "resultlist/linktext.h"
#include "resultlist/listgeometry.h"

#include <gtest/gtest.h>

namespace ostrevo {
namespace {

TEST(LinkText, AddressesAreLinksUnlessTheyHoldMarkup)
{
    EXPECT_TRUE(isLinkText("http://example.com"));
    EXPECT_TRUE(isLinkText("mailto:me@example.com"));
    EXPECT_TRUE(isLinkText("see ftp://x"));
    EXPECT_FALSE(isLinkText("example.com"));
    EXPECT_FALSE(isLinkText("mailto"));
    EXPECT_FALSE(isLinkText(""));
    EXPECT_FALSE(isLinkText("<a href=http://x>y</a>"));
    EXPECT_FALSE(isLinkText("mailto:a@b</"));
}

TEST(LinkText, OnlyALeadingPrefixIsHidden)
{
    EXPECT_EQ(shownCellText("http://example.com", true), "example.com");
    EXPECT_EQ(shownCellText("mailto:me@example.com", true), "me@example.com");
    EXPECT_EQ(shownCellText("a://b://c", true), "b://c");
    EXPECT_EQ(shownCellText("http://", true), "");
    EXPECT_EQ(shownCellText("plain", true), "plain");
    EXPECT_EQ(shownCellText("http://x</b>", true), "http://x</b>");
    EXPECT_EQ(shownCellText("http://example.com", false), "http://example.com");
    // A scheme or mail prefix further in never hides where the link leads.
    EXPECT_EQ(shownCellText("http://evil.example/#mailto:bank.com", true), "evil.example/#mailto:bank.com");
    EXPECT_EQ(shownCellText("x mailto:y://z", true), "x mailto:y://z");
    EXPECT_EQ(shownCellText("see http://bank.com", true), "see http://bank.com");
    EXPECT_EQ(shownCellText("1a://b", true), "1a://b");
}

TEST(LinkText, OnlyWebAddressesAndRebuiltMailAddressesAreOpened)
{
    const std::pair<const char*, const char*> cases[] = {
        {"http://example.com", "http://example.com"},
        {"https://example.com/a?b", "https://example.com/a?b"},
        {"HTTP://EXAMPLE.COM", "HTTP://EXAMPLE.COM"},
        {"mailto:me@example.com", "mailto:me@example.com"},
        {"MailTo:First.Last+tag@Example.COM", "mailto:First.Last+tag@example.com"},
        {"mailto:<hostmaster@zeta.com>", "mailto:hostmaster@zeta.com"},
        // Headers and further recipients of the text's own never reach the mail program.
        {"mailto:x@y.com?attach=/etc/passwd", "mailto:x@y.com"},
        {"mailto:x@y.com?cc=z@w.com&body=hi", "mailto:x@y.com"},
        {"mailto:x@y.com,z@w.com", ""},
        {"mailto:evil%40x.com%2Cowner@alpha.com", ""},
        {"mailto:x%0D%0ABcc:z@alpha.com", ""},
        {"mailto:a%2Eb@alpha.com", "mailto:a.b@alpha.com"},
        {"mailto:100%25off@alpha.com", "mailto:100%25off@alpha.com"},
        {"mailto:a%zz@alpha.com", ""},
        {"mailto:x@y.com&attach=/etc/passwd", ""},
        {"mailto:a b@y.com", ""},
        {"mailto:.a@y.com", ""},
        {"mailto:a..b@y.com", ""},
        {"mailto:x@-y.com", ""},
        {"mailto:@y.com", ""},
        {"mailto:x@", ""},
        {"mailto:", ""},
        {"file:///etc/passwd", ""},
        {"smb://server/share", ""},
        {"javascript://alert(1)", ""},
        {"myprogram://run", ""},
        {"httpx://example.com", ""},
        {" http://example.com", ""},
        {"see http://example.com", ""},
        {"http://", ""},
        {"", ""},
    };
    for (const auto& [text, link] : cases) {
        EXPECT_EQ(openableLink(text), link) << text;
    }
}

TEST(ListGeometry, CheckBoxTopFollowsTheAlignmentOnlyInTallRows)
{
    using listgeometry::checkBoxTop;
    EXPECT_EQ(checkBoxTop(26, 13, TVerticalAlignment::vtaCenter), 26);
    EXPECT_EQ(checkBoxTop(26, 13, TVerticalAlignment::vtaBottom), 26);
    EXPECT_EQ(checkBoxTop(26, 14, TVerticalAlignment::vtaCenter), 26);
    EXPECT_EQ(checkBoxTop(0, 21, TVerticalAlignment::vtaCenter), 3); // (21 - 14) / 2, remainder dropped
    EXPECT_EQ(checkBoxTop(0, 21, TVerticalAlignment::vtaTop), 0);
    EXPECT_EQ(checkBoxTop(0, 21, TVerticalAlignment::vtaBottom), 7);
}

} // namespace
} // namespace ostrevo
