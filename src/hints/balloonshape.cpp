// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "hints/balloonshape.h"

#include <algorithm>

namespace ostrevo {

BalloonShape balloonShape(PixelSize balloon, THintDirection direction)
{
    using enum THintDirection;
    const int w = balloon.width;
    const int h = balloon.height;
    BalloonShape shape;
    const bool up = isUpDirection(direction);
    shape.textRect = {8, up ? 3 : 18, w, h};
    switch (direction) {
    case hdUpRight:
        shape.tip = {{10, h - 15}, {20, h - 15}, {0, h}};
        shape.tipShadow = Triangle{{12, h - 15}, {25, h - 15}, {12, h}};
        break;
    case hdUpLeft:
        shape.tip = {{w - 26, h - 15}, {w - 16, h - 15}, {w - 6, h}};
        shape.tipShadow = Triangle{{w - 33, h - 15}, {w - 11, h - 15}, {w - 6, h}};
        break;
    case hdDownRight:
        shape.tip = {{10, 15}, {20, 15}, {0, 0}};
        break;
    case hdDownLeft:
        shape.tip = {{w - 26, 15}, {w - 16, 15}, {w - 6, 0}};
        break;
    }
    if (up) {
        shape.body = {0, 0, w - 6, h - 14};
        shape.bodyShadow = {10, 8, w, h - 8};
        shape.shadowStrips[0] = {w - 14, 8, w + 1, h - 13};
        shape.shadowStrips[1] = {10, h - 14, w + 1, h - 8};
    } else {
        shape.body = {0, 15, w - 6, h - 8};
        shape.bodyShadow = {10, 23, w, h - 2};
        shape.shadowStrips[0] = {w - 14, 23, w + 1, h - 7};
        shape.shadowStrips[1] = {10, h - 8, w + 1, h - 1};
    }
    return shape;
}

bool inRoundedRect(const PixelRect& rect, int ellipseWidth, int ellipseHeight, int x, int y)
{
    if (!rect.contains(x, y)) {
        return false;
    }
    const double rx = std::min(std::max(ellipseWidth, 0), rect.width()) / 2.0;
    const double ry = std::min(std::max(ellipseHeight, 0), rect.height()) / 2.0;
    if (rx <= 0 || ry <= 0) {
        return true;
    }
    const double px = x + 0.5;
    const double py = y + 0.5;
    // Only the corner boxes cut anything away.
    const double cx = px < rect.left + rx ? rect.left + rx : px > rect.right - rx ? rect.right - rx : px;
    const double cy = py < rect.top + ry ? rect.top + ry : py > rect.bottom - ry ? rect.bottom - ry : py;
    const double dx = (px - cx) / rx;
    const double dy = (py - cy) / ry;
    return dx * dx + dy * dy <= 1.0;
}

bool inTriangle(const Triangle& t, int x, int y)
{
    const double px = x + 0.5;
    const double py = y + 0.5;
    const auto side = [px, py](PixelPoint from, PixelPoint to) {
        return (to.x - from.x) * (py - from.y) - (to.y - from.y) * (px - from.x);
    };
    const double ab = side(t.a, t.b);
    const double bc = side(t.b, t.c);
    const double ca = side(t.c, t.a);
    // Either winding order: inside when the point is on the same side of all three edges.
    return (ab >= 0 && bc >= 0 && ca >= 0) || (ab <= 0 && bc <= 0 && ca <= 0);
}

std::vector<PixelPoint> balloonShadowPixels(PixelSize balloon, THintDirection direction, int radius)
{
    const BalloonShape shape = balloonShape(balloon, direction);
    const PixelRect image{0, 0, balloon.width, balloon.height};
    std::vector<PixelPoint> pixels;
    const auto keep = [&](int x, int y) {
        if (image.contains(x, y) && isDitherPixel(x, y)) {
            pixels.push_back({x, y});
        }
    };

    const PixelRect& right = shape.shadowStrips[0];
    const PixelRect& bottom = shape.shadowStrips[1];
    const auto inBodyShadow = [&](int x, int y) {
        return (right.contains(x, y) || bottom.contains(x, y)) &&
               inRoundedRect(shape.bodyShadow, radius - 1, radius - 1, x, y);
    };
    for (int y = right.top; y < bottom.bottom; ++y) {
        for (int x = bottom.left; x < right.right; ++x) {
            if (inBodyShadow(x, y)) {
                keep(x, y);
            }
        }
    }

    if (shape.tipShadow) {
        const Triangle& t = *shape.tipShadow;
        for (int y = t.a.y; y <= t.c.y; ++y) {
            for (int x = t.a.x; x <= t.b.x; ++x) {
                if (inTriangle(t, x, y) && !inBodyShadow(x, y)) {
                    keep(x, y);
                }
            }
        }
    }
    return pixels;
}

} // namespace ostrevo
