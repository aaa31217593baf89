// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// The windows' font: the system's sans-serif at 11 pixels, the size their
// layouts were made for.

#include <QFont>

namespace ostrevo {

inline QFont windowFont()
{
    QFont font;
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);
    return font;
}

} // namespace ostrevo
