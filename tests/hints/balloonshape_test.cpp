// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "hints/balloonshape.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <utility>

namespace ostrevo {
namespace {

using enum THintDirection;

constexpr PixelSize kUp{116, 50};
constexpr PixelSize kDown{116, 59};
constexpr int kRadius = 18;

std::set<std::pair<int, int>> shadowSet(PixelSize size, THintDirection direction, int radius = kRadius)
{
    std::set<std::pair<int, int>> set;
    for (const PixelPoint p : balloonShadowPixels(size, direction, radius)) {
        set.insert({p.x, p.y});
    }
    return set;
}

TEST(BalloonShapeTest, ShadowPixelsFollowTheCheckerboard)
{
    for (const THintDirection direction : {hdUpRight, hdUpLeft, hdDownRight, hdDownLeft}) {
        const PixelSize size = isUpDirection(direction) ? kUp : kDown;
        const std::vector<PixelPoint> pixels = balloonShadowPixels(size, direction, kRadius);
        ASSERT_FALSE(pixels.empty());
        std::set<std::pair<int, int>> seen;
        for (const PixelPoint p : pixels) {
            EXPECT_EQ((p.x + p.y) % 2, 0) << p.x << "," << p.y;
            EXPECT_TRUE(PixelRect({0, 0, size.width, size.height}).contains(p.x, p.y));
            EXPECT_TRUE(seen.insert({p.x, p.y}).second) << "twice: " << p.x << "," << p.y;
        }
    }
}

TEST(BalloonShapeTest, TheRightStripIsShadedOnEveryOtherPixel)
{
    // Up: x 102..115, rows 8..36; away from the rounded corners every even pixel is there.
    const auto pixels = shadowSet(kUp, hdUpRight);
    for (int y = 17; y <= 33; ++y) {
        for (int x = 110; x <= 114; ++x) {
            EXPECT_EQ(pixels.count({x, y}), (x + y) % 2 == 0 ? 1U : 0U) << x << "," << y;
        }
    }
    // Nothing to the left of the strips, above the bottom one: the body hides it.
    EXPECT_TRUE(std::none_of(pixels.begin(), pixels.end(),
                             [](auto p) { return p.first < 102 && p.second < 36 && p.first >= 25; }));
    // The bottom strip ends at row 41 (H - 9); the body's shadow region ends before row 42.
    EXPECT_EQ(pixels.count({60, 40}), 1U);
    EXPECT_EQ(pixels.count({60, 42}), 0U);
}

TEST(BalloonShapeTest, TheShadowCornersAreRounded)
{
    // The top-right corner of the shadow region, (115, 8), lies outside a 17 x 17
    // corner ellipse but inside a square corner.
    EXPECT_EQ(shadowSet(kUp, hdUpRight, 18).count({115, 9}), 0U);
    EXPECT_EQ(shadowSet(kUp, hdUpRight, 1).count({115, 9}), 1U);
}

TEST(RegionTest, RoundedRectAndTriangleUsePixelCentres)
{
    const PixelRect r{0, 0, 20, 20};
    EXPECT_TRUE(inRoundedRect(r, 0, 0, 0, 0));
    EXPECT_FALSE(inRoundedRect(r, 10, 10, 0, 0));
    EXPECT_TRUE(inRoundedRect(r, 10, 10, 10, 0));
    EXPECT_FALSE(inRoundedRect(r, 10, 10, 20, 10)); // right edge excluded
    // Corner ellipses larger than the rectangle are cut to it: a full ellipse.
    EXPECT_TRUE(inRoundedRect(r, 100, 100, 10, 10));
    EXPECT_FALSE(inRoundedRect(r, 100, 100, 1, 1));

    const Triangle t{{0, 0}, {10, 0}, {0, 10}};
    EXPECT_TRUE(inTriangle(t, 1, 1));
    EXPECT_FALSE(inTriangle(t, 8, 8));
    const Triangle reversed{{0, 0}, {0, 10}, {10, 0}};
    EXPECT_TRUE(inTriangle(reversed, 1, 1));
}

} // namespace
} // namespace ostrevo
