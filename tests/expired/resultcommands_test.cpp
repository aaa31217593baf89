// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "expired/resultcommands.h"
#include "resultlist/resulttable.h"
#include "tablehelpers.h"

#include <gtest/gtest.h>

namespace ostrevo {
namespace {

// Rows "site<i>" with the given expiry texts and check marks, in that order.
class ResultCommandsTest : public ::testing::Test {
protected:
    ResultCommandsTest()
    {
        setUpResultColumns(table);
        table.SetCheckboxes(true);
        table.SetSortType(SortType::stBoth);
    }

    void addRow(const std::string& expires, bool checked = false)
    {
        test::addRow(table, "http://site" + std::to_string(table.RowCount()) + ".com",
                     {"mailto:a@b.com", expires}, checked);
    }

    std::string checks() const
    {
        std::string marks;
        for (int i = 0; i < table.RowCount(); ++i) {
            marks += table.Row(i).Checked() ? 'x' : '-';
        }
        return marks;
    }

    std::vector<std::string> expiries() const
    {
        std::vector<std::string> texts;
        for (int i = 0; i < table.RowCount(); ++i) {
            texts.emplace_back(table.Row(i).SubItemOrEmpty(1));
        }
        return texts;
    }

    ResultTable table;
};

TEST_F(ResultCommandsTest, TickAndUntickAll)
{
    addRow("2020/01/01");
    addRow("2021/01/01", true);
    setAllChecked(table, true);
    EXPECT_EQ(checks(), "xx");
    setAllChecked(table, false);
    EXPECT_EQ(checks(), "--");
}

TEST_F(ResultCommandsTest, DeletingTickedRowsDeletesAdjacentOnesToo)
{
    addRow("a", true);
    addRow("b", true);
    addRow("c", false);
    addRow("d", true);
    addRow("e", true);
    deleteRowsChecked(table, true);
    EXPECT_EQ(expiries(), (std::vector<std::string>{"c"}));

    setAllChecked(table, true);
    deleteRowsChecked(table, true);
    EXPECT_EQ(table.RowCount(), 0);
    EXPECT_EQ(table.ColumnCount(), 3);
}

TEST_F(ResultCommandsTest, DeletingUntickedRowsKeepsTheTickedInOrder)
{
    addRow("a", false);
    addRow("b", true);
    addRow("c", false);
    addRow("d", false);
    addRow("e", true);
    deleteRowsChecked(table, false);
    EXPECT_EQ(expiries(), (std::vector<std::string>{"b", "e"}));
    EXPECT_EQ(checks(), "xx");
}

TEST_F(ResultCommandsTest, DateTextPadsMonthAndDayOnly)
{
    EXPECT_EQ(filterDateText(2012, 3, 7), "2012/03/07");
    EXPECT_EQ(filterDateText(2031, 12, 25), "2031/12/25");
    EXPECT_EQ(filterDateText(999, 1, 1), "999/01/01");
}

TEST_F(ResultCommandsTest, UpToFilterTicksTheDayItselfAndEarlierAndNeverUnticks)
{
    addRow("2012/03/07");
    addRow("2011/12/31");
    addRow("2012/03/08");
    addRow("");
    addRow("2099/01/01", true);
    checkExpiringUpTo(table, filterDateText(2012, 3, 7));
    EXPECT_EQ(checks(), "xx-xx");
}

TEST_F(ResultCommandsTest, FromFilterUnticksTheDayItselfAndLaterAndNeverTicks)
{
    addRow("2012/03/07", true);
    addRow("2013/01/01", true);
    addRow("2012/03/06", true);
    addRow("", true);
    addRow("2000/01/01", false);
    uncheckExpiringFrom(table, filterDateText(2012, 3, 7));
    EXPECT_EQ(checks(), "--xx-");
}

TEST_F(ResultCommandsTest, FiltersCompareBytesUnsigned)
{
    addRow("\xc3\xa9t\xc3\xa9"); // above every ASCII text as unsigned bytes
    checkExpiringUpTo(table, "2012/03/07");
    EXPECT_EQ(checks(), "-");
}

TEST(LoadCommand, ChoosesReadersByNameIgnoringCase)
{
    auto readers = loadReadersFor("/home/u/results.csv");
    EXPECT_TRUE(readers.delimited);
    EXPECT_FALSE(readers.spreadsheet);
    readers = loadReadersFor("/home/u/LIST.CSV");
    EXPECT_TRUE(readers.delimited);
    readers = loadReadersFor("results.csv.xls");
    EXPECT_TRUE(readers.delimited);
    EXPECT_TRUE(readers.spreadsheet);
    readers = loadReadersFor("book.xlsx");
    EXPECT_TRUE(readers.spreadsheet);
    readers = loadReadersFor("notes.txt");
    EXPECT_FALSE(readers.delimited || readers.spreadsheet);
}

TEST(LoadCommand, BlankNamesCountAsCancelled)
{
    EXPECT_TRUE(isBlankFileName(""));
    EXPECT_TRUE(isBlankFileName(" \t\r\n"));
    EXPECT_FALSE(isBlankFileName(" a.csv "));
}

} // namespace
} // namespace ostrevo
