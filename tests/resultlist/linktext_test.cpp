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

TEST(LinkText, PrefixesAreHiddenUpToTheirFirstOccurrence)
{
    EXPECT_EQ(shownCellText("http://example.com", true), "example.com");
    EXPECT_EQ(shownCellText("mailto:me@example.com", true), "me@example.com");
    EXPECT_EQ(shownCellText("a://b://c", true), "b://c");
    // The scheme goes first, then a mail prefix in what is left.
    EXPECT_EQ(shownCellText("x mailto:y://z", true), "z");
    EXPECT_EQ(shownCellText("news://mailto:me@x.org", true), "me@x.org");
    EXPECT_EQ(shownCellText("http://", true), "");
    EXPECT_EQ(shownCellText("plain", true), "plain");
    EXPECT_EQ(shownCellText("http://x</b>", true), "http://x</b>");
    EXPECT_EQ(shownCellText("http://example.com", false), "http://example.com");
}

TEST(LinkText, OnlyWebAndMailAddressesAreOpened)
{
    EXPECT_TRUE(isOpenableLink("http://example.com"));
    EXPECT_TRUE(isOpenableLink("https://example.com/a?b"));
    EXPECT_TRUE(isOpenableLink("HTTP://EXAMPLE.COM"));
    EXPECT_TRUE(isOpenableLink("mailto:me@example.com"));
    EXPECT_TRUE(isOpenableLink("MailTo:me@example.com"));

    EXPECT_FALSE(isOpenableLink("file:///etc/passwd"));
    EXPECT_FALSE(isOpenableLink("smb://server/share"));
    EXPECT_FALSE(isOpenableLink("javascript://alert(1)"));
    EXPECT_FALSE(isOpenableLink("myprogram://run"));
    EXPECT_FALSE(isOpenableLink("httpx://example.com"));
    EXPECT_FALSE(isOpenableLink(" http://example.com"));
    EXPECT_FALSE(isOpenableLink("see http://example.com"));
    EXPECT_FALSE(isOpenableLink("http://"));
    EXPECT_FALSE(isOpenableLink("mailto:"));
    EXPECT_FALSE(isOpenableLink(""));
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
