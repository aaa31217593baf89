// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "hints/balloongeometry.h"

#include <gtest/gtest.h>

namespace ostrevo {
namespace {

using enum THintDirection;

constexpr PixelRect kScreen{0, 0, 800, 600};
// Balloons of 116 x 50 (up) and 116 x 59 (down).
constexpr PixelSize kHint{100, 30};

TEST(PlaceBalloonTest, EachDirectionKeepsItsCornerWhereThereIsRoom)
{
    const PixelPoint p{400, 300};
    EXPECT_EQ(placeBalloon(p, kHint, kScreen, hdUpRight), (BalloonPlacement{hdUpRight, {400, 248}}));
    EXPECT_EQ(placeBalloon(p, kHint, kScreen, hdUpLeft), (BalloonPlacement{hdUpLeft, {290, 248}}));
    EXPECT_EQ(placeBalloon(p, kHint, kScreen, hdDownRight), (BalloonPlacement{hdDownRight, {400, 306}}));
    EXPECT_EQ(placeBalloon(p, kHint, kScreen, hdDownLeft), (BalloonPlacement{hdDownLeft, {290, 306}}));
}

TEST(PlaceBalloonTest, TurnsAwayFromTheEdgeItWouldCross)
{
    // Right edge: up-right opens up-left.
    EXPECT_EQ(placeBalloon({750, 300}, kHint, kScreen, hdUpRight), (BalloonPlacement{hdUpLeft, {640, 248}}));
    // Top edge: up-right opens down-right.
    EXPECT_EQ(placeBalloon({400, 20}, kHint, kScreen, hdUpRight), (BalloonPlacement{hdDownRight, {400, 26}}));
    // Left edge: up-left opens up-right, down-left opens down-right.
    EXPECT_EQ(placeBalloon({50, 300}, kHint, kScreen, hdUpLeft), (BalloonPlacement{hdUpRight, {50, 248}}));
    EXPECT_EQ(placeBalloon({50, 300}, kHint, kScreen, hdDownLeft),
              (BalloonPlacement{hdDownRight, {50, 306}}));
    // Bottom edge: down-right opens up-right, down-left opens up-left.
    EXPECT_EQ(placeBalloon({400, 580}, kHint, kScreen, hdDownRight),
              (BalloonPlacement{hdUpRight, {400, 528}}));
    EXPECT_EQ(placeBalloon({400, 580}, kHint, kScreen, hdDownLeft), (BalloonPlacement{hdUpLeft, {290, 528}}));
}

TEST(PlaceBalloonTest, CornersTurnTwice)
{
    // Bottom right: down-right -> down-left -> up-left.
    EXPECT_EQ(placeBalloon({750, 580}, kHint, kScreen, hdDownRight),
              (BalloonPlacement{hdUpLeft, {640, 528}}));
    // Top right: up-right -> up-left -> down-left.
    EXPECT_EQ(placeBalloon({750, 20}, kHint, kScreen, hdUpRight), (BalloonPlacement{hdDownLeft, {640, 26}}));
    // Top left: up-left -> up-right -> down-right.
    EXPECT_EQ(placeBalloon({50, 20}, kHint, kScreen, hdUpLeft), (BalloonPlacement{hdDownRight, {50, 26}}));
}

TEST(PlaceBalloonTest, ABalloonEndingExactlyAtTheEdgeStays)
{
    EXPECT_EQ(placeBalloon({684, 300}, kHint, kScreen, hdUpRight).direction, hdUpRight);
    EXPECT_EQ(placeBalloon({685, 300}, kHint, kScreen, hdUpRight).direction, hdUpLeft);
    EXPECT_EQ(placeBalloon({400, 52}, kHint, kScreen, hdUpRight), (BalloonPlacement{hdUpRight, {400, 0}}));
    EXPECT_EQ(placeBalloon({400, 51}, kHint, kScreen, hdUpRight).direction, hdDownRight);
    EXPECT_EQ(placeBalloon({400, 535}, kHint, kScreen, hdDownRight).direction, hdDownRight);
    EXPECT_EQ(placeBalloon({400, 536}, kHint, kScreen, hdDownRight).direction, hdUpRight);
}

TEST(PlaceBalloonTest, ABalloonWiderThanTheScreenKeepsTheLastDirectionInsideTheScreen)
{
    // up-right -> up-left -> back to up-right: stays up-left, moved to the left edge.
    const BalloonPlacement wide = placeBalloon({400, 300}, {900, 30}, kScreen, hdUpRight);
    EXPECT_EQ(wide, (BalloonPlacement{hdUpLeft, {0, 248}}));
}

TEST(PlaceBalloonTest, ABalloonTallerThanTheScreenKeepsTheLastDirectionInsideTheScreen)
{
    // up-right -> down-right -> back to up-right: stays down-right, moved to the top edge.
    const BalloonPlacement tall = placeBalloon({400, 300}, {100, 700}, kScreen, hdUpRight);
    EXPECT_EQ(tall, (BalloonPlacement{hdDownRight, {400, 0}}));
    // down-left near the bottom right, all four tried: the last one is clamped into the screen.
    const BalloonPlacement both = placeBalloon({790, 590}, {900, 700}, kScreen, hdDownLeft);
    EXPECT_GE(both.corner.x, 0);
    EXPECT_GE(both.corner.y, 0);
    EXPECT_LE(both.corner.x, 800);
    EXPECT_LE(both.corner.y, 600);
}

TEST(PlaceBalloonTest, EdgesAreThoseOfTheScreenUnderTheCursor)
{
    // A second screen to the right of the first.
    const PixelRect second{800, 0, 1600, 600};
    EXPECT_EQ(placeBalloon({1550, 300}, kHint, second, hdUpRight).direction, hdUpLeft);
    EXPECT_EQ(placeBalloon({820, 300}, kHint, second, hdUpLeft), (BalloonPlacement{hdUpRight, {820, 248}}));
}

} // namespace
} // namespace ostrevo
