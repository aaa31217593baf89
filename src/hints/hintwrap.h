// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// Breaking a hint that is too wide for its balloon into shorter lines.

#include "hints/balloongeometry.h"

#include <functional>
#include <string>
#include <string_view>

namespace ostrevo {

// Width in pixels of one line of text, in the balloon's font.
using TextWidth = std::function<int(std::string_view)>;

struct WrappedHint {
    std::string text; // lines are separated by a carriage return
    PixelRect rect;   // the hint rectangle grown or shrunk to the new lines
};

// Leaves a hint no wider than wrapWidth alone. A wider one is cut into words
// at blanks and laid out again greedily on lines of at most wrapWidth - 6
// pixels (or as wide as the widest word, which then stands on a line of its
// own). The rectangle keeps its left and top edges; its height changes by
// whole lines of lineHeight.
WrappedHint wrapHintText(std::string_view text, PixelRect rect, int wrapWidth, int lineHeight,
                         const TextWidth& width);

} // namespace ostrevo
