// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "hints/balloongeometry.h"

#include <algorithm>
#include <array>
#include <optional>

namespace ostrevo {

PixelSize balloonSize(PixelSize hintRect, THintDirection direction)
{
    return {hintRect.width + 16, hintRect.height + (isUpDirection(direction) ? 20 : 29)};
}

namespace {

struct Step {
    PixelPoint corner;
    std::optional<THintDirection> next; // where the balloon turns, when it does not fit
};

Step tryDirection(THintDirection direction, PixelPoint p, PixelSize hintRect, const PixelRect& screen)
{
    using enum THintDirection;
    const PixelSize up = balloonSize(hintRect, hdUpRight);
    const PixelSize down = balloonSize(hintRect, hdDownRight);
    switch (direction) {
    case hdUpRight: {
        const PixelPoint corner{p.x, p.y - 2 - up.height};
        if (p.x + up.width > screen.right) {
            return {corner, hdUpLeft};
        }
        if (corner.y < screen.top) {
            return {corner, hdDownRight};
        }
        return {corner, std::nullopt};
    }
    case hdUpLeft: {
        const PixelPoint corner{p.x + 6 - up.width, p.y - 2 - up.height};
        if (corner.x < screen.left) {
            return {corner, hdUpRight};
        }
        if (corner.y < screen.top) {
            return {corner, hdDownLeft};
        }
        return {corner, std::nullopt};
    }
    case hdDownRight: {
        const PixelPoint corner{p.x, p.y + 6};
        if (p.x + down.width > screen.right) {
            return {corner, hdDownLeft};
        }
        if (corner.y + down.height > screen.bottom) {
            return {corner, hdUpRight};
        }
        return {corner, std::nullopt};
    }
    case hdDownLeft: {
        const PixelPoint corner{p.x + 6 - down.width, p.y + 6};
        if (corner.x < screen.left) {
            return {corner, hdDownRight};
        }
        if (corner.y + down.height > screen.bottom) {
            return {corner, hdUpLeft};
        }
        return {corner, std::nullopt};
    }
    }
    return {p, std::nullopt};
}

int clampInto(int position, int length, int low, int high)
{
    // A balloon longer than the screen keeps its start on the screen.
    return std::max(low, std::min(position, high - length));
}

} // namespace

BalloonPlacement placeBalloon(PixelPoint cursor, PixelSize hintRect, PixelRect screen, THintDirection wanted)
{
    std::array<bool, 4> tried{};
    THintDirection direction = wanted;
    for (;;) {
        tried[static_cast<int>(direction)] = true;
        const Step step = tryDirection(direction, cursor, hintRect, screen);
        if (!step.next) {
            return {direction, step.corner};
        }
        if (tried[static_cast<int>(*step.next)]) {
            const PixelSize size = balloonSize(hintRect, direction);
            return {direction,
                    {clampInto(step.corner.x, size.width, screen.left, screen.right),
                     clampInto(step.corner.y, size.height, screen.top, screen.bottom)}};
        }
        direction = *step.next;
    }
}

} // namespace ostrevo
