// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
//
// The ordered row storage, driven through the table: caption placement
// inserts at arbitrary positions, DeleteRow erases, header sorts reorder,
// and loading appends in bulk. Sizes span many storage blocks.

#include "resultlist/resulttable.h"

#include "tablehelpers.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

namespace ostrevo {
namespace {

using test::captionsOf;

std::string keyFor(std::uint32_t value)
{
    char text[16];
    std::snprintf(text, sizeof text, "%08x", value);
    return text;
}

// Every position and every row agree with each other and with `expected`.
void expectConsistent(const ResultTable& table, const std::vector<std::string>& expected)
{
    ASSERT_EQ(table.RowCount(), static_cast<int>(expected.size()));
    std::set<const ResultRow*> seen;
    for (int i = 0; i < table.RowCount(); ++i) {
        const ResultRow& row = table.Row(i);
        ASSERT_EQ(row.Caption(), expected[static_cast<std::size_t>(i)]) << "position " << i;
        ASSERT_EQ(table.IndexOf(row), i);
        ASSERT_TRUE(seen.insert(&row).second);
    }
}

TEST(RowStore, InsertsAtRandomPositionsAcrossManyBlocks)
{
    ResultTable table;
    table.SetSortType(SortType::stBoth);
    std::mt19937 random(3);
    std::multiset<std::string> expected;
    for (int i = 0; i < 20000; ++i) {
        const std::string key = keyFor(random());
        table.AddRow().SetCaption(key);
        expected.insert(key);
    }
    expectConsistent(table, {expected.begin(), expected.end()});
}

TEST(RowStore, InsertsAtTheFrontAndTheEnd)
{
    ResultTable table;
    table.SetSortType(SortType::stBoth);
    std::vector<std::string> expected;
    for (int i = 0; i < 5000; ++i) {
        table.AddRow().SetCaption(keyFor(100000 + i));
        table.AddRow().SetCaption(keyFor(100000 - i - 1));
    }
    for (int i = -5000; i < 5000; ++i) {
        expected.push_back(keyFor(static_cast<std::uint32_t>(100000 + i)));
    }
    expectConsistent(table, expected);
}

TEST(RowStore, DeletingMostRowsKeepsOrderAndIdentity)
{
    ResultTable table;
    table.SetSortType(SortType::stBoth);
    std::vector<std::string> expected;
    for (int i = 0; i < 12000; ++i) {
        table.AddRow().SetCaption(keyFor(static_cast<std::uint32_t>(i)));
        expected.push_back(keyFor(static_cast<std::uint32_t>(i)));
    }
    const ResultRow& survivor = table.Row(6000);
    std::mt19937 random(5);
    while (table.RowCount() > 10) {
        const int index = static_cast<int>(random() % static_cast<unsigned>(table.RowCount()));
        if (&table.Row(index) == &survivor) {
            continue;
        }
        table.DeleteRow(index);
        expected.erase(expected.begin() + index);
    }
    expectConsistent(table, expected);
    EXPECT_EQ(survivor.Caption(), keyFor(6000));
    // Emptied completely, the table takes new rows again.
    while (table.RowCount() > 0) {
        table.DeleteRow(0);
    }
    table.AddRow().SetCaption("x");
    expectConsistent(table, {"x"});
}

TEST(RowStore, ChurnAtOnePlaceNeitherLosesNorDuplicatesRows)
{
    ResultTable table;
    table.SetSortType(SortType::stBoth);
    for (int i = 0; i < 3000; ++i) {
        table.AddRow().SetCaption(keyFor(static_cast<std::uint32_t>(i * 2)));
    }
    std::vector<std::string> expected = captionsOf(table);
    for (int round = 0; round < 5000; ++round) {
        table.AddRow().SetCaption(keyFor(1001));
        table.DeleteRow(501);
    }
    expectConsistent(table, expected);
}

TEST(RowStore, BulkLoadedRowsTakeInsertsAndHeaderSorts)
{
    test::TempFolder dir;
    std::string file;
    std::vector<std::string> expected;
    for (int i = 0; i < 9000; ++i) {
        const std::string key = keyFor(static_cast<std::uint32_t>(i * 3));
        file += key + ",x," + std::to_string(9000 - i) + "\r\n";
        expected.push_back(key);
    }
    test::writeFile(dir.file("rows.csv"), file);
    ResultTable table;
    test::setUpProgramTable(table);
    table.LoadFromDelimitedFile(dir.file("rows.csv"));
    expectConsistent(table, expected);

    for (int i = 0; i < 3000; ++i) {
        const std::string key = keyFor(static_cast<std::uint32_t>(i * 9 + 1));
        table.AddRow().SetCaption(key);
        expected.push_back(key);
    }
    std::sort(expected.begin(), expected.end());
    expectConsistent(table, expected);

    table.SortByColumn(0, -1);
    std::reverse(expected.begin(), expected.end());
    expectConsistent(table, expected);
}

} // namespace
} // namespace ostrevo
