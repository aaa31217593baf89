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
    for (const PixelPoint p : balloonShadowPixels(size, direction, radius))
        set.insert({p.x, p.y});
    return set;
}

TEST(BalloonShapeTest, DownBalloonsHaveBodyAndTextFifteenPixelsLower)
{
    const BalloonShape up = balloonShape(kUp, hdUpRight);
    const BalloonShape down = balloonShape(kDown, hdDownRight);
    EXPECT_EQ(up.body, (PixelRect{0, 0, 110, 36}));
    EXPECT_EQ(down.body, (PixelRect{0, 15, 110, 51}));
    EXPECT_EQ(up.textRect, (PixelRect{8, 3, 116, 50}));
    EXPECT_EQ(down.textRect, (PixelRect{8, 18, 116, 59}));
    // Same body height for the same hint either way.
    EXPECT_EQ(up.body.height(), down.body.height());
}

TEST(BalloonShapeTest, TipsPointDownForUpBalloonsAndUpForDownBalloons)
{
    EXPECT_EQ(balloonShape(kUp, hdUpRight).tip, (Triangle{{10, 35}, {20, 35}, {0, 50}}));
    EXPECT_EQ(balloonShape(kUp, hdUpLeft).tip, (Triangle{{90, 35}, {100, 35}, {110, 50}}));
    EXPECT_EQ(balloonShape(kDown, hdDownRight).tip, (Triangle{{10, 15}, {20, 15}, {0, 0}}));
    EXPECT_EQ(balloonShape(kDown, hdDownLeft).tip, (Triangle{{90, 15}, {100, 15}, {110, 0}}));
}

TEST(BalloonShapeTest, OnlyUpBalloonsHaveATipShadow)
{
    EXPECT_EQ(balloonShape(kUp, hdUpRight).tipShadow, (Triangle{{12, 35}, {25, 35}, {12, 50}}));
    EXPECT_EQ(balloonShape(kUp, hdUpLeft).tipShadow, (Triangle{{83, 35}, {105, 35}, {110, 50}}));
    EXPECT_FALSE(balloonShape(kDown, hdDownRight).tipShadow);
    EXPECT_FALSE(balloonShape(kDown, hdDownLeft).tipShadow);

    // Below the body's shadow (rows 42 on) only the tip's shadow can show.
    const auto belowBodyShadow = [](const std::set<std::pair<int, int>>& pixels, int fromRow) {
        return std::count_if(pixels.begin(), pixels.end(), [fromRow](auto p) { return p.second >= fromRow; });
    };
    EXPECT_GT(belowBodyShadow(shadowSet(kUp, hdUpRight), 42), 0);
    EXPECT_GT(belowBodyShadow(shadowSet(kUp, hdUpLeft), 42), 0);
    // Down balloons: nothing next to the tip, above the body's shadow.
    const auto aboveRow = [](const std::set<std::pair<int, int>>& pixels, int row) {
        return std::count_if(pixels.begin(), pixels.end(), [row](auto p) { return p.second < row; });
    };
    EXPECT_EQ(aboveRow(shadowSet(kDown, hdDownRight), 23), 0);
    EXPECT_EQ(aboveRow(shadowSet(kDown, hdDownLeft), 23), 0);
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
        for (int x = 110; x <= 114; ++x)
            EXPECT_EQ(pixels.count({x, y}), (x + y) % 2 == 0 ? 1U : 0U) << x << "," << y;
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
