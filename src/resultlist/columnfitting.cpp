// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "resultlist/columnfitting.h"

#include <algorithm>
#include <cstdint>

namespace ostrevo {

std::vector<int> fitColumnWidths(const std::vector<ColumnPlan>& columns, int room)
{
    std::vector<int> widths;
    widths.reserve(columns.size());
    std::int64_t used = 0;
    std::int64_t stretchTotal = 0;
    for (const ColumnPlan& column : columns) {
        const bool fits = column.sizing == ColumnSizing::FitText && !column.userSized;
        const int width = std::max(0, fits ? column.textWidth : column.width);
        widths.push_back(width);
        used += width;
        if (column.sizing == ColumnSizing::Stretch && !column.userSized) {
            stretchTotal += std::max(1, width);
        }
    }
    const std::int64_t extra = static_cast<std::int64_t>(room) - used;
    if (extra <= 0 || stretchTotal == 0) {
        return widths;
    }
    std::int64_t given = 0;
    std::size_t lastStretch = 0;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        if (columns[i].sizing == ColumnSizing::Stretch && !columns[i].userSized) {
            const std::int64_t share = extra * std::max(1, widths[i]) / stretchTotal;
            widths[i] += static_cast<int>(share);
            given += share;
            lastStretch = i;
        }
    }
    // Rounding leaves a few pixels: the last stretching column takes them.
    widths[lastStretch] += static_cast<int>(extra - given);
    return widths;
}

} // namespace ostrevo
