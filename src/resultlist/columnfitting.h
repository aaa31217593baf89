// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// How the result list's columns share the list's width.

#include <vector>

namespace ostrevo {

enum class ColumnSizing {
    Fixed,   // keeps its width
    Stretch, // its width, plus a share of the room the columns leave free
    FitText, // as wide as its caption and its texts
};

struct ColumnPlan {
    ColumnSizing sizing = ColumnSizing::Fixed;
    int width = 0;          // the column's own width: the default, or what the user dragged
    bool userSized = false; // the user dragged it: it keeps that width
    int textWidth = 0;      // what a FitText column needs for its caption and texts
};

// The width of each column for a list `room` pixels wide. Columns the user
// sized keep their width; a FitText column takes its text width; the room
// left over goes to the Stretch columns the user has not sized, in proportion
// to their widths. Nothing shrinks below its width: a list too narrow scrolls.
std::vector<int> fitColumnWidths(const std::vector<ColumnPlan>& columns, int room);

} // namespace ostrevo
