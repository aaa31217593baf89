// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "platform/colourcontrast.h"

#include <gtest/gtest.h>

namespace ostrevo {
namespace {

TEST(ContrastRatio, MatchesKnownPairs)
{
    const struct {
        Rgb a;
        Rgb b;
        double ratio;
    } pairs[] = {
        {kBlack, kWhite, 21.0},
        {kWhite, kBlack, 21.0},
        {{128, 128, 128}, {128, 128, 128}, 1.0},
        {{0, 0, 255}, kWhite, 8.59},
        {{255, 0, 0}, kBlack, 5.25},
        {{255, 0, 0}, kWhite, 4.00},
        {{119, 119, 119}, kWhite, 4.48},  // the grey just short of 4.5
        {{0, 0, 128}, {255, 0, 0}, 4.00}, // navy on red: short of 4.5
    };
    for (const auto& p : pairs) {
        EXPECT_NEAR(contrastRatio(p.a, p.b), p.ratio, 0.01)
            << int(p.a.r) << ',' << int(p.a.g) << ',' << int(p.a.b);
    }
}

TEST(ReadableText, IsBlackOrWhiteAndAlwaysReadable)
{
    for (int grey = 0; grey < 256; grey += 5) {
        for (const Rgb background :
             {Rgb{std::uint8_t(grey), std::uint8_t(grey), std::uint8_t(grey)}, Rgb{std::uint8_t(grey), 0, 0},
              Rgb{0, std::uint8_t(grey), 255}, Rgb{255, std::uint8_t(grey), 0}}) {
            const Rgb text = readableTextOn(background);
            EXPECT_TRUE(text == kBlack || text == kWhite);
            EXPECT_GE(contrastRatio(text, background), kReadableContrast) << grey;
        }
    }
    EXPECT_EQ(readableTextOn({0, 0, 128}), kWhite);
    EXPECT_EQ(readableTextOn({255, 255, 0}), kBlack);
}

TEST(ReadableTint, KeepsAReadableColourAndLightensOrDarkensOneThatIsNot)
{
    const Rgb blue{0, 0, 255};
    EXPECT_EQ(readableTint(blue, kWhite), blue);
    for (const Rgb background :
         {Rgb{0, 0, 0}, Rgb{30, 30, 30}, Rgb{53, 53, 53}, Rgb{0, 0, 128}, Rgb{90, 90, 90}}) {
        const Rgb link = readableTint(blue, background);
        EXPECT_GE(contrastRatio(link, background), kReadableContrast);
        EXPECT_GT(link.b, link.r); // still a blue
        EXPECT_EQ(link.r, link.g);
    }
    // A background where no tint of blue is enough gets the plain text colour.
    EXPECT_GE(contrastRatio(readableTint(blue, {118, 118, 118}), {118, 118, 118}), kReadableContrast);
}

} // namespace
} // namespace ostrevo
