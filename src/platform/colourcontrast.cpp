// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "platform/colourcontrast.h"

#include <algorithm>
#include <cmath>

namespace ostrevo {

namespace {

double linearChannel(std::uint8_t value)
{
    const double c = value / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

std::uint8_t mixChannel(std::uint8_t from, std::uint8_t to, int step, int steps)
{
    return static_cast<std::uint8_t>((from * (steps - step) + to * step + steps / 2) / steps);
}

} // namespace

double relativeLuminance(Rgb colour)
{
    return 0.2126 * linearChannel(colour.r) + 0.7152 * linearChannel(colour.g) +
           0.0722 * linearChannel(colour.b);
}

double contrastRatio(Rgb a, Rgb b)
{
    const double la = relativeLuminance(a);
    const double lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

Rgb readableTextOn(Rgb background)
{
    return contrastRatio(kBlack, background) >= contrastRatio(kWhite, background) ? kBlack : kWhite;
}

Rgb readableTint(Rgb wanted, Rgb background)
{
    const Rgb target = readableTextOn(background);
    constexpr int kSteps = 32;
    for (int step = 0; step < kSteps; ++step) {
        const Rgb mixed{mixChannel(wanted.r, target.r, step, kSteps),
                        mixChannel(wanted.g, target.g, step, kSteps),
                        mixChannel(wanted.b, target.b, step, kSteps)};
        if (contrastRatio(mixed, background) >= kReadableContrast) {
            return mixed;
        }
    }
    return target;
}

} // namespace ostrevo
