// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "expired/expirycolouring.h"

#include <gtest/gtest.h>

namespace ostrevo {
namespace {

TEST(ExpiryYear, IsTheFirstFieldAsAWholeNumber)
{
    EXPECT_EQ(expiryYear("2025/11/05"), 2025);
    EXPECT_EQ(expiryYear("2014"), 2014);
    EXPECT_EQ(expiryYear("  2014/01/01"), 2014);
    EXPECT_EQ(expiryYear("+2014/01/01"), 2014);
    EXPECT_EQ(expiryYear("0002014/x"), 2014);
    EXPECT_EQ(expiryYear("2014/"), 2014);
}

TEST(ExpiryYear, WrapsToSixteenBits)
{
    EXPECT_EQ(expiryYear("65536"), 0);
    EXPECT_EQ(expiryYear("67561/01/01"), 2025);
    EXPECT_EQ(expiryYear("-1/01/01"), 65535);
    EXPECT_EQ(expiryYear("2147483647"), 65535);
}

TEST(ExpiryYear, TextsThatAreNoNumberGiveNone)
{
    for (const char* text : {"", "/2025", "Expires", "2025-11-05", "20 25/1/1", "2025 /1/1", "--5", "+-5",
                             "- 5", "0x7E9", "2147483648", "-2147483649", "99999999999999999999"}) {
        EXPECT_FALSE(expiryYear(text).has_value()) << text;
    }
}

TEST(ExpiryColour, FadesOverTheFiveYearsBeforeExpiry)
{
    const Rgb white{255, 255, 255};
    EXPECT_EQ(expiryColourForYearsLeft(0), (Rgb{255, 0, 0}));
    EXPECT_EQ(expiryColourForYearsLeft(1), (Rgb{255, 85, 0}));
    EXPECT_EQ(expiryColourForYearsLeft(2), (Rgb{255, 170, 0}));
    EXPECT_EQ(expiryColourForYearsLeft(3), (Rgb{255, 255, 0}));
    EXPECT_EQ(expiryColourForYearsLeft(4), (Rgb{255, 255, 136}));
    EXPECT_EQ(expiryColourForYearsLeft(5), (Rgb{255, 255, 170}));
    EXPECT_EQ(expiryColourForYearsLeft(6), white);
    EXPECT_EQ(expiryColourForYearsLeft(-1), white);
    EXPECT_EQ(expiryColourForYearsLeft(-65535), white);
}

TEST(ExpiryColour, ComparesTheYearWithTheGivenCurrentYear)
{
    EXPECT_EQ(expiryCellColour("2012/03/07", 2012), (Rgb{255, 0, 0}));
    EXPECT_EQ(expiryCellColour("2013/01/01", 2012), (Rgb{255, 85, 0}));
    EXPECT_EQ(expiryCellColour("2031/12/31", 2026), (Rgb{255, 255, 170}));
    EXPECT_EQ(expiryCellColour("2032/01/01", 2026), (Rgb{255, 255, 255}));
    EXPECT_EQ(expiryCellColour("2025/12/31", 2026), (Rgb{255, 255, 255}));
    EXPECT_EQ(expiryCellColour("2029", 2026), (Rgb{255, 255, 0}));
    // A wrapped year counts as the small one it wraps to.
    EXPECT_EQ(expiryCellColour("67562", 2026), (Rgb{255, 0, 0}));
    EXPECT_FALSE(expiryCellColour("Expires", 2026).has_value());
    EXPECT_FALSE(expiryCellColour("", 2026).has_value());
}

TEST(ExpiryColour, EveryColourCarriesReadableText)
{
    for (int yearsLeft = -1; yearsLeft <= 6; ++yearsLeft) {
        const Rgb cell = expiryColourForYearsLeft(yearsLeft);
        EXPECT_GE(contrastRatio(readableTextOn(cell), cell), kReadableContrast) << yearsLeft;
    }
}

} // namespace
} // namespace ostrevo
