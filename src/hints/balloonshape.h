// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// The drawing of a balloon hint of a given size: body, tip, text area and
// the dithered shadow, in the balloon window's own pixels.

#include "hints/balloongeometry.h"

#include <optional>
#include <vector>

namespace ostrevo {

struct Triangle {
    PixelPoint a;
    PixelPoint b;
    PixelPoint c;
    bool operator==(const Triangle&) const = default;
};

struct BalloonShape {
    PixelRect textRect;
    PixelRect body;                    // rounded with a corner ellipse of radius x radius
    Triangle tip;                      // a and b on the body's edge, c the point
    std::optional<Triangle> tipShadow; // up balloons only
    PixelRect bodyShadow;              // rounded with a corner ellipse of (radius - 1) x (radius - 1)
    PixelRect shadowStrips[2];         // the right and bottom strips of it that can show
};

BalloonShape balloonShape(PixelSize balloon, THintDirection direction);

// Every other pixel, in a checkerboard, so the shadow lets the screen show through.
constexpr bool isDitherPixel(int x, int y)
{
    return ((x ^ y) & 1) == 0;
}

// A pixel belongs to a region when its centre lies inside the outline.
bool inRoundedRect(const PixelRect& rect, int ellipseWidth, int ellipseHeight, int x, int y);
bool inTriangle(const Triangle& triangle, int x, int y);

// The pixels to set to the shadow colour: the body's shadow and, for up
// balloons, the tip's.
std::vector<PixelPoint> balloonShadowPixels(PixelSize balloon, THintDirection direction, int radius);

} // namespace ostrevo
