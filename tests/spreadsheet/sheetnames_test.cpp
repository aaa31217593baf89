// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "spreadsheet/sheetnames.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ostrevo {
namespace {

std::vector<std::string> displayed(const std::vector<std::string>& names)
{
    std::vector<WorksheetSummary> sheets;
    for (const std::string& name : names) {
        sheets.push_back({name, true, false});
    }
    return SheetDisplayNames(sheets);
}

TEST(SheetDisplayNames, MakeEveryNameShowableAndDifferent)
{
    const std::string sixtyFour(64, 'x');
    const std::string accented = "\xC3\xA9"; // é, two bytes
    const struct {
        std::vector<std::string> names;
        std::vector<std::string> shown;
    } cases[]{
        {{"Hosts", "Z\xC3\xBCrich"}, {"Hosts", "Z\xC3\xBCrich"}},
        {{"", "  ", "\t"}, {"Sheet 1", "Sheet 2", "Sheet 3"}},
        {{"a\nb\x1B", " x\xE2\x80\xAE"
                      "y "},
         {"a b", "x y"}},
        {{"a\xFF", "\xC3", "\xE0\x80\x80"}, {"a\xEF\xBF\xBD", "\xEF\xBF\xBD", "\xEF\xBF\xBD (3)"}},
        {{"A", "A", "A (2)"}, {"A", "A (2)", "A (2) (3)"}},
        {{"Sheet 2", ""}, {"Sheet 2", "Sheet 2 (2)"}},
        {{sixtyFour, sixtyFour + "y"}, {sixtyFour, std::string(63, 'x') + "\xE2\x80\xA6"}},
        // Cut on a character, never inside one.
        {{std::string(62, 'x') + accented + accented + accented},
         {std::string(62, 'x') + accented + "\xE2\x80\xA6"}},
    };
    for (const auto& [names, shown] : cases) {
        EXPECT_EQ(displayed(names), shown) << names.front();
    }
}

} // namespace
} // namespace ostrevo
