// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "pageloader/lineends.h"

#include <gtest/gtest.h>

namespace ostrevo {
namespace {

TEST(CrLfLineEnds, EveryKindOfLineEndBecomesCrLf)
{
    EXPECT_EQ(withCrLfLineEnds("a\nb"), "a\r\nb");
    EXPECT_EQ(withCrLfLineEnds("a\rb"), "a\r\nb");
    EXPECT_EQ(withCrLfLineEnds("a\r\nb"), "a\r\nb");
    EXPECT_EQ(withCrLfLineEnds("a\n\rb"), "a\r\n\r\nb") << "LF then CR are two line ends";
    EXPECT_EQ(withCrLfLineEnds("a\r\r\nb"), "a\r\n\r\nb");
    EXPECT_EQ(withCrLfLineEnds("a\n\nb\r\n\r\nc"), "a\r\n\r\nb\r\n\r\nc");
}

TEST(CrLfLineEnds, EndsOfTheTextAndTextWithoutLines)
{
    EXPECT_EQ(withCrLfLineEnds(""), "");
    EXPECT_EQ(withCrLfLineEnds("\n"), "\r\n");
    EXPECT_EQ(withCrLfLineEnds("\r"), "\r\n");
    EXPECT_EQ(withCrLfLineEnds("x\r"), "x\r\n");
    EXPECT_EQ(withCrLfLineEnds("\nx"), "\r\nx");
    EXPECT_EQ(withCrLfLineEnds("Expires: 2025-11-05"), "Expires: 2025-11-05");
}

TEST(CrLfLineEnds, OtherBytesPassUnchanged)
{
    const std::string text("caf\xC3\xA9\t\x00\xFF|", 9);
    EXPECT_EQ(withCrLfLineEnds(text), text);
}

} // namespace
} // namespace ostrevo
