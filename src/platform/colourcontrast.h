// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// Readable text on a coloured background, by the relative luminance and the
// contrast ratio of WCAG 2 (sRGB): a ratio of 4.5 to 1 is what normal-sized
// text needs.

#include <cstdint>

namespace ostrevo {

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kWhite{255, 255, 255};
inline constexpr double kReadableContrast = 4.5;

// 0 for black to 1 for white.
double relativeLuminance(Rgb colour);

// From 1 (the same luminance) to 21 (black on white), in either order.
double contrastRatio(Rgb a, Rgb b);

// Black or white, whichever stands out more: never less than 4.58 to 1.
Rgb readableTextOn(Rgb background);

// `wanted` when it is readable on `background`; otherwise `wanted` mixed with
// the text colour readableTextOn picks, just enough to become readable, so
// that it keeps its hue as far as it can (a link's blue turns light blue on a
// dark background).
Rgb readableTint(Rgb wanted, Rgb background);

} // namespace ostrevo
