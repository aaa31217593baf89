// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// The core's colours as Qt's, and back (alpha dropped).

#include "platform/colourcontrast.h"

#include <QColor>

namespace ostrevo {

inline QColor toQColor(Rgb rgb)
{
    return QColor(rgb.r, rgb.g, rgb.b);
}

inline Rgb toRgb(const QColor& colour)
{
    const QColor c = colour.toRgb();
    return {static_cast<std::uint8_t>(c.red()), static_cast<std::uint8_t>(c.green()),
            static_cast<std::uint8_t>(c.blue())};
}

// `wanted`, or the nearest tint of it readable on `background`.
inline QColor readableTint(const QColor& wanted, const QColor& background)
{
    return toQColor(readableTint(toRgb(wanted), toRgb(background)));
}

} // namespace ostrevo
