// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// Where things sit in a row of the result list, in pixels. x is measured from
// the left edge of the row (the first column's left edge).

namespace ostrevo {

enum class TVerticalAlignment { vtaTop, vtaCenter, vtaBottom };

namespace listgeometry {

inline constexpr int kCheckBoxSize = 14;
inline constexpr int kCheckBoxLeft = 2;
// The first cell's text area starts here when rows have check boxes.
inline constexpr int kCheckedTextLeft = 18;
// Space kept free at both ends of a cell's text.
inline constexpr int kTextMargin = 2;
// A press at or left of this toggles the row's check mark.
inline constexpr int kCheckZoneRight = 14;
// The pointing hand shows right of this (so from 17 on).
inline constexpr int kHandCursorAfter = 16;

// Top of the check box in a row. A row no taller than the box gets it at its
// top; the box then reaches into the next row, which paints over it.
constexpr int checkBoxTop(int rowTop, int rowHeight, TVerticalAlignment alignment)
{
    if (rowHeight <= kCheckBoxSize) {
        return rowTop;
    }
    switch (alignment) {
    case TVerticalAlignment::vtaTop:
        return rowTop;
    case TVerticalAlignment::vtaBottom:
        return rowTop + rowHeight - kCheckBoxSize;
    case TVerticalAlignment::vtaCenter:
        break;
    }
    return rowTop + (rowHeight - kCheckBoxSize) / 2;
}

constexpr bool inCheckZone(int x, bool checkboxes)
{
    return checkboxes && x <= kCheckZoneRight;
}

constexpr bool inLinkClickZone(int x, bool checkboxes)
{
    return !checkboxes || x > kCheckZoneRight;
}

constexpr bool inHandCursorZone(int x, bool checkboxes)
{
    return !checkboxes || x > kHandCursorAfter;
}

} // namespace listgeometry

} // namespace ostrevo
