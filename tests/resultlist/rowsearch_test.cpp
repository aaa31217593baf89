// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "resultlist/rowsearch.h"

#include "resultlist/resulttable.h"

#include <gtest/gtest.h>

namespace ostrevo {
namespace {

class RowSearch : public ::testing::Test {
protected:
    RowSearch()
    {
        table.SetSortType(SortType::stBoth);
        for (const char* caption : {"http://alpha.com", "http://beta.com", "http://Bravo.com", "plain"}) {
            table.AddRow().SetCaption(caption);
        }
    }
    ResultTable table;
};

TEST_F(RowSearch, MatchesTheShownCaptionFromTheStartRowRoundToTheTop)
{
    // Byte order: "http://Bravo.com" comes before "http://alpha.com".
    ASSERT_EQ(table.Row(0).Caption(), "http://Bravo.com");
    EXPECT_EQ(findRowByTypedText(table, "b", 0, true), 0);
    EXPECT_EQ(findRowByTypedText(table, "b", 1, true), 2);
    EXPECT_EQ(findRowByTypedText(table, "b", 3, true), 0);
    EXPECT_EQ(findRowByTypedText(table, "BE", 0, true), 2);
    EXPECT_EQ(findRowByTypedText(table, "pl", 0, true), 3);
    EXPECT_EQ(findRowByTypedText(table, "alpha.com!", 0, true), -1);
}

TEST_F(RowSearch, FullCaptionsWhenPrefixesAreShown)
{
    EXPECT_EQ(findRowByTypedText(table, "http://a", 0, false), 1);
    EXPECT_EQ(findRowByTypedText(table, "http", 0, true), -1);
    EXPECT_EQ(findRowByTypedText(table, "a", 0, false), -1);
}

TEST_F(RowSearch, NothingToFindInEmptyInput)
{
    EXPECT_EQ(findRowByTypedText(table, "", 0, true), -1);
    EXPECT_EQ(findRowByTypedText(table, "a", 99, true), 1); // a start past the end counts from the top
    table.ClearRows();
    EXPECT_EQ(findRowByTypedText(table, "a", 0, true), -1);
}

} // namespace
} // namespace ostrevo
