// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// Where a balloon hint goes: its four directions, its size around the hint
// text, and the corner it takes near the mouse cursor.

namespace ostrevo {

// "Up" puts the balloon above the cursor with its tip at the bottom; "Right"
// makes it extend to the right of the cursor with its tip at its left end.
enum class THintDirection { hdUpRight = 0, hdUpLeft = 1, hdDownRight = 2, hdDownLeft = 3 };

struct PixelPoint {
    int x = 0;
    int y = 0;
    bool operator==(const PixelPoint&) const = default;
};

struct PixelSize {
    int width = 0;
    int height = 0;
    bool operator==(const PixelSize&) const = default;
};

// Right and bottom are outside the rectangle.
struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    bool operator==(const PixelRect&) const = default;
};

constexpr bool isUpDirection(THintDirection direction)
{
    return direction == THintDirection::hdUpRight || direction == THintDirection::hdUpLeft;
}

// The balloon around a hint rectangle: room for the outline and shadow, and
// for the tip below (up) or above (down) the body.
PixelSize balloonSize(PixelSize hintRect, THintDirection direction);

struct BalloonPlacement {
    THintDirection direction = THintDirection::hdUpRight;
    PixelPoint corner; // top-left, in screen coordinates
    bool operator==(const BalloonPlacement&) const = default;
};

// Starts with the wanted direction and turns to another one where the balloon
// would leave the screen. When every turn leads back to a direction already
// tried (a balloon larger than the screen), the last direction tried is kept
// and the balloon is moved inside the screen, its top-left corner first.
BalloonPlacement placeBalloon(PixelPoint cursor, PixelSize hintRect, PixelRect screen, THintDirection wanted);

} // namespace ostrevo
