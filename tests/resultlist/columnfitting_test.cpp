// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "resultlist/columnfitting.h"

#include <gtest/gtest.h>

namespace ostrevo {
namespace {

TEST(ColumnFitting, SpareRoomGoesToTheStretchingColumnsTheUserLeftAlone)
{
    constexpr auto Stretch = ColumnSizing::Stretch;
    constexpr auto Fit = ColumnSizing::FitText;
    constexpr auto Fixed = ColumnSizing::Fixed;
    const struct {
        const char* what;
        std::vector<ColumnPlan> columns;
        int room;
        std::vector<int> expected;
    } cases[] = {
        {"shared 250 to 200", {{Stretch, 250}, {Stretch, 200}, {Fit, 100, false, 70}}, 970, {500, 400, 70}},
        {"too narrow: nothing shrinks",
         {{Stretch, 250}, {Stretch, 200}, {Fit, 100, false, 70}},
         300,
         {250, 200, 70}},
        {"dragged widths stay",
         {{Stretch, 250}, {Stretch, 150, true}, {Fit, 100, true, 70}},
         800,
         {550, 150, 100}},
        {"all dragged: no stretch", {{Stretch, 250, true}, {Stretch, 150, true}}, 800, {250, 150}},
        {"fixed columns keep theirs", {{Fixed, 250}, {Fixed, 200}}, 900, {250, 200}},
        {"rounding left to the last", {{Stretch, 1}, {Stretch, 1}, {Stretch, 1}}, 10, {3, 3, 4}},
        {"no columns", {}, 500, {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(fitColumnWidths(c.columns, c.room), c.expected) << c.what;
    }
}

} // namespace
} // namespace ostrevo
