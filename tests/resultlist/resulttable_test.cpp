// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "resultlist/resulttable.h"

#include "platform/errors.h"
#include "tablehelpers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <random>

namespace ostrevo {
namespace {

using namespace std::string_literals;
using test::captionsOf;
using test::MirrorObserver;
using test::rowsOf;
using test::RowTexts;

using test::addRow;

ResultTable& sortedTable(ResultTable& table)
{
    table.SetSortType(SortType::stBoth);
    return table;
}

std::vector<std::string> sortedCopy(std::vector<std::string> texts)
{
    std::sort(texts.begin(), texts.end());
    return texts;
}

// Rows and columns

TEST(ResultTableRows, NewRowIsEmptyUncheckedAndAppended)
{
    ResultTable table;
    addRow(table, "b");
    ResultRow& row = table.AddRow();
    EXPECT_EQ(table.RowCount(), 2);
    EXPECT_EQ(&table.Row(1), &row);
    EXPECT_EQ(row.Caption(), "");
    EXPECT_EQ(row.SubItemCount(), 0u);
    EXPECT_FALSE(row.Checked());
}

TEST(ResultTableRows, ReplacedAndDeletedTextsDoNotPileUp)
{
    // 2,000 texts of 4 kB go through the table; at most a few stay.
    const std::vector<std::function<void(ResultTable&, const std::string&)>> churns = {
        [](ResultTable& table, const std::string& text) { table.Row(0).SetCaption(text); },
        [](ResultTable& table, const std::string& text) {
            addRow(table, text, {text});
            table.DeleteRow(table.RowCount() - 1);
        },
    };
    for (std::size_t c = 0; c < churns.size(); ++c) {
        ResultTable table;
        sortedTable(table);
        addRow(table, "a", {"kept"});
        std::string text;
        for (int i = 0; i < 2000; ++i) {
            text.assign(4000, static_cast<char>('b' + i % 20));
            churns[c](table, text);
        }
        EXPECT_LT(table.textStorageBytes(), std::size_t{2} << 20) << "churn " << c;
        EXPECT_EQ(table.Row(0).SubItem(0), "kept") << "churn " << c;
        EXPECT_EQ(table.Row(0).Caption(), c == 0 ? text : "a") << "churn " << c;
    }
}

TEST(ResultTableRows, BadIndexesRaiseListIndexError)
{
    ResultTable table;
    ResultRow& row = addRow(table, "a", {"e"});
    EXPECT_THROW(table.Row(1), ListIndexError);
    EXPECT_THROW(table.Row(-1), ListIndexError);
    EXPECT_THROW(table.DeleteRow(1), ListIndexError);
    EXPECT_THROW(table.Column(0), ListIndexError);
    EXPECT_THROW(row.SubItem(1), ListIndexError);
    try {
        table.Row(5);
        FAIL();
    } catch (const ListIndexError& error) {
        EXPECT_STREQ(error.what(), "List index out of bounds (5)");
    }
    EXPECT_EQ(row.SubItemOrEmpty(7), "");
    EXPECT_EQ(table.RowCount(), 1);
}

TEST(ResultTableRows, DeleteRowMovesTheRowsBelowUp)
{
    ResultTable table;
    ResultRow& a = addRow(table, "a");
    addRow(table, "b");
    ResultRow& c = addRow(table, "c");
    table.DeleteRow(1);
    ASSERT_EQ(table.RowCount(), 2);
    EXPECT_EQ(&table.Row(0), &a);
    EXPECT_EQ(&table.Row(1), &c);
    EXPECT_EQ(table.IndexOf(c), 1);
}

TEST(ResultTableRows, ClearRowsKeepsColumnsAndClearRemovesBoth)
{
    ResultTable table;
    test::setUpProgramTable(table);
    addRow(table, "a", {"e", "d"});
    table.ClearRows();
    EXPECT_EQ(table.RowCount(), 0);
    EXPECT_EQ(table.ColumnCount(), 3);
    addRow(table, "a");
    table.Clear();
    EXPECT_EQ(table.RowCount(), 0);
    EXPECT_EQ(table.ColumnCount(), 0);
}

TEST(ResultTableRows, AddColumnIsEmptyFiftyPixelsLeftAligned)
{
    ResultTable table;
    ResultColumn& column = table.AddColumn();
    EXPECT_EQ(column.Caption, "");
    EXPECT_EQ(column.width, 50);
    EXPECT_EQ(column.alignment, ResultColumn::Alignment::Left);
    // References stay valid as more columns come.
    column.Caption = "first";
    for (int k = 0; k < 100; ++k) {
        table.AddColumn();
    }
    EXPECT_EQ(column.Caption, "first");
    EXPECT_EQ(&table.Column(0), &column);
}

TEST(ResultTableRows, SubItemsBeyondTheColumnsStayStored)
{
    ResultTable table;
    table.AddColumn();
    ResultRow& row = addRow(table, "a", {"1", "2", "3"});
    EXPECT_EQ(row.SubItemCount(), 3u);
    EXPECT_EQ(row.SubItem(2), "3");
}

TEST(ResultTableRows, CheckedReadsFalseWhileCheckboxesAreOff)
{
    ResultTable table;
    ResultRow& row = addRow(table, "a");
    EXPECT_FALSE(table.Checkboxes());
    row.SetChecked(true);
    EXPECT_TRUE(table.Checkboxes());
    EXPECT_TRUE(row.Checked());
    table.SetCheckboxes(false);
    EXPECT_FALSE(row.Checked());
    table.SetCheckboxes(true);
    EXPECT_TRUE(row.Checked());
}

// Caption order

TEST(CaptionOrder, EveryAssignmentKeepsTheRowsInCaptionOrder)
{
    ResultTable table;
    sortedTable(table);
    for (const char* host :
         {"http://m.com", "http://b.com", "http://z.com", "http://a.com", "http://b.com"}) {
        ResultRow& row = table.AddRow();
        row.SetCaption(host);
        row.AppendSubItem("mailto:x");
        EXPECT_EQ(captionsOf(table), sortedCopy(captionsOf(table)));
    }
    EXPECT_EQ(captionsOf(table), (std::vector<std::string>{"http://a.com", "http://b.com", "http://b.com",
                                                           "http://m.com", "http://z.com"}));
}

TEST(CaptionOrder, ComparesBytesAsUnsignedAndIsCaseSensitive)
{
    ResultTable table;
    sortedTable(table);
    for (const char* caption : {"b", "\xE9t\xE9", "B", "a", "", "ab"}) {
        addRow(table, caption);
    }
    EXPECT_EQ(captionsOf(table), (std::vector<std::string>{"", "B", "a", "ab", "b", "\xE9t\xE9"}));
}

TEST(CaptionOrder, RowsKeepTheirIdentityWhileMoving)
{
    ResultTable table;
    sortedTable(table);
    ResultRow& late = table.AddRow();
    late.SetCaption("zzz");
    late.AppendSubItem("mine");
    for (int i = 0; i < 3000; ++i) {
        addRow(table, "k" + std::to_string((i * 7919) % 3000));
    }
    // The lookup run fills a row after re-sorting moved it.
    late.AppendSubItem("still mine");
    EXPECT_EQ(&table.Row(table.RowCount() - 1), &late);
    EXPECT_EQ(late.SubItems(), (std::vector<std::string>{"mine", "still mine"}));
    late.SetCaption("a");
    EXPECT_EQ(table.IndexOf(late), 0);
    EXPECT_EQ(&table.Row(0), &late);
}

TEST(CaptionOrder, RecaptioningMovesTheRowBothWays)
{
    ResultTable table;
    sortedTable(table);
    for (const char* caption : {"b", "d", "f", "h"}) {
        addRow(table, caption);
    }
    ResultRow& row = table.Row(1);
    row.SetCaption("g");
    EXPECT_EQ(captionsOf(table), (std::vector<std::string>{"b", "f", "g", "h"}));
    row.SetCaption("a");
    EXPECT_EQ(captionsOf(table), (std::vector<std::string>{"a", "b", "f", "h"}));
    EXPECT_EQ(&table.Row(0), &row);
    row.SetCaption("a"); // unchanged: stays
    EXPECT_EQ(&table.Row(0), &row);
}

TEST(CaptionOrder, UncaptionedNewRowsGoToTheTopWhenAnotherRowIsCaptioned)
{
    ResultTable table;
    sortedTable(table);
    addRow(table, "m");
    ResultRow& first = table.AddRow();
    ResultRow& second = table.AddRow();
    second.SetCaption("c");
    // A full re-sort puts the empty caption first.
    EXPECT_EQ(captionsOf(table), (std::vector<std::string>{"", "c", "m"}));
    EXPECT_EQ(&table.Row(0), &first);
}

TEST(CaptionOrder, NoSortWithoutTextSortType)
{
    for (const SortType type : {SortType::stNone, SortType::stData}) {
        ResultTable table;
        table.SetSortType(type);
        addRow(table, "b");
        addRow(table, "a");
        EXPECT_EQ(captionsOf(table), (std::vector<std::string>{"b", "a"}));
    }
    ResultTable text;
    text.SetSortType(SortType::stText);
    addRow(text, "b");
    addRow(text, "a");
    EXPECT_EQ(captionsOf(text), (std::vector<std::string>{"a", "b"}));
}

TEST(CaptionOrder, TurningSortingOnSortsAtTheNextAssignment)
{
    ResultTable table;
    for (int i = 40; i > 0; --i) {
        addRow(table, "r" + std::to_string(i));
    }
    table.SetSortType(SortType::stBoth);
    EXPECT_NE(captionsOf(table), sortedCopy(captionsOf(table)));
    table.Row(5).SetCaption("r5x");
    EXPECT_EQ(captionsOf(table), sortedCopy(captionsOf(table)));
}

TEST(CaptionOrder, SortKeyFunctionDecidesTheOrder)
{
    ResultTable table;
    sortedTable(table);
    addRow(table, "b");
    addRow(table, "C");
    addRow(table, "a");
    EXPECT_EQ(captionsOf(table), (std::vector<std::string>{"C", "a", "b"}));

    // Stand-in for a collation key: case folded, then the case as tie-breaker.
    table.setCaptionSortKey([](std::string_view caption) {
        std::string key;
        for (const char c : caption) {
            key.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
        }
        return key + '\1' + std::string(caption);
    });
    addRow(table, "B");
    EXPECT_EQ(captionsOf(table), (std::vector<std::string>{"a", "B", "b", "C"}));
    table.AddRow();
    table.Row(0).SetCaption("D");
    EXPECT_EQ(captionsOf(table), (std::vector<std::string>{"", "B", "b", "C", "D"}));

    table.setCaptionSortKey(nullptr);
    addRow(table, "c");
    EXPECT_EQ(captionsOf(table), (std::vector<std::string>{"", "B", "C", "D", "b", "c"}));
}

TEST(CaptionOrder, TextsOfEveryLengthKeepTheirKeysThroughChurnAndCompaction)
{
    // Lengths around the point where a stored text keeps its length apart.
    const std::vector<std::size_t> lengths = {0, 1, 65534, 65535, 65536, 200000};
    // The key reverses the order of the first byte, so a key read from the
    // wrong place shows in the order.
    const auto key = [](std::string_view caption) {
        return caption.empty() ? std::string()
                               : static_cast<char>(255 - static_cast<unsigned char>(caption[0])) +
                                     std::string(caption.substr(1));
    };
    for (const bool keyed : {false, true}) {
        ResultTable table;
        sortedTable(table);
        if (keyed) {
            table.setCaptionSortKey(key);
        }
        std::map<std::string, std::string> lastSubItem;
        for (std::size_t i = 0; i < lengths.size(); ++i) {
            const std::string text(lengths[i], static_cast<char>('a' + i));
            lastSubItem[text] = std::string(lengths[lengths.size() - 1 - i], 'z');
            addRow(table, text, {text}).AppendSubItem(lastSubItem[text]);
        }
        // Rows come and go until the storage is compacted.
        std::size_t largest = 0;
        for (int i = 0; i < 100 && table.textStorageBytes() >= largest; ++i) {
            largest = std::max(largest, table.textStorageBytes());
            ResultRow& churn = addRow(table, std::string(40000, 'q'), {std::string(40000, 'q')});
            table.DeleteRow(table.IndexOf(churn));
        }
        ASSERT_LT(table.textStorageBytes(), largest) << keyed;
        if (!keyed) {
            table.setCaptionSortKey(key); // keys stored behind the captions after the fact
        }
        table.SortByColumn(1, -1);
        table.Row(0).SetCaption(table.Row(0).Caption()); // caption order again
        std::vector<std::string> captions = captionsOf(table);
        ASSERT_TRUE(
            std::is_sorted(captions.begin(), captions.end(),
                           [&](const std::string& a, const std::string& b) { return key(a) < key(b); }))
            << keyed;
        ASSERT_EQ(captions.size(), lengths.size());
        for (int i = 0; i < table.RowCount(); ++i) {
            const ResultRow& row = table.Row(i);
            ASSERT_EQ(row.SubItem(0), row.Caption()) << keyed << " row " << i;
            ASSERT_EQ(row.SubItem(1), lastSubItem[std::string(row.Caption())]) << keyed << " row " << i;
        }
        table.setCaptionSortKey(nullptr);
        table.Row(0).SetCaption(table.Row(0).Caption());
        ASSERT_EQ(captionsOf(table), sortedCopy(captions)) << keyed;
    }
}

// Bulk update

TEST(BulkUpdate, NestsAndSortsOnceAtTheOutermostEnd)
{
    ResultTable table;
    sortedTable(table);
    addRow(table, "m");
    table.BeginBulkUpdate();
    EXPECT_EQ(table.SortType(), SortType::stNone);
    table.BeginBulkUpdate();
    EXPECT_EQ(table.BulkUpdateDepth(), 2);
    addRow(table, "z");
    addRow(table, "a");
    table.EndBulkUpdate();
    EXPECT_EQ(table.SortType(), SortType::stNone);
    EXPECT_EQ(captionsOf(table), (std::vector<std::string>{"m", "z", "a"}));
    table.EndBulkUpdate();
    EXPECT_EQ(table.BulkUpdateDepth(), 0);
    EXPECT_EQ(table.SortType(), SortType::stBoth);
    EXPECT_EQ(captionsOf(table), (std::vector<std::string>{"a", "m", "z"}));
}

TEST(BulkUpdate, RestoresTheSavedSortTypeWithoutSortingForNone)
{
    ResultTable table;
    table.SetSortType(SortType::stData);
    table.BeginBulkUpdate();
    addRow(table, "b");
    addRow(table, "a");
    table.EndBulkUpdate();
    EXPECT_EQ(table.SortType(), SortType::stData);
    EXPECT_EQ(captionsOf(table), (std::vector<std::string>{"b", "a"}));
}

TEST(BulkUpdate, UnmatchedEndDoesNothing)
{
    ResultTable table;
    sortedTable(table);
    table.EndBulkUpdate();
    EXPECT_EQ(table.BulkUpdateDepth(), 0);
    EXPECT_EQ(table.SortType(), SortType::stBoth);
    table.BeginBulkUpdate();
    table.EndBulkUpdate();
    EXPECT_EQ(table.SortType(), SortType::stBoth);
}

// Header-click sort

TEST(SortByColumn, SortsBySubItemWithMissingOnesEmpty)
{
    ResultTable table;
    test::setUpProgramTable(table);
    addRow(table, "a", {"m1", "2027/01/02"});
    addRow(table, "b", {"m2", "2025/11/05"});
    addRow(table, "c", {"m3"});
    addRow(table, "d", {"m4", "2026/03/04"});
    table.SortByColumn(2, +1);
    EXPECT_EQ(captionsOf(table), (std::vector<std::string>{"c", "b", "d", "a"}));
    table.SortByColumn(2, -1);
    EXPECT_EQ(captionsOf(table), (std::vector<std::string>{"a", "d", "b", "c"}));
    table.SortByColumn(0, -1);
    EXPECT_EQ(captionsOf(table), (std::vector<std::string>{"d", "c", "b", "a"}));
}

TEST(SortByColumn, ComparesUnsignedBytesAndKeepsEqualRowsInOrder)
{
    ResultTable table;
    table.AddColumn();
    table.AddColumn();
    addRow(table, "1", {"\xE9"});
    addRow(table, "2", {"z"});
    addRow(table, "3", {"Z"});
    addRow(table, "4", {"z"});
    table.SortByColumn(1, 1);
    EXPECT_EQ(captionsOf(table), (std::vector<std::string>{"3", "2", "4", "1"}));
}

TEST(SortByColumn, IgnoresColumnsThatDoNotExist)
{
    ResultTable table;
    table.AddColumn();
    addRow(table, "b", {"1"});
    addRow(table, "a", {"2"});
    table.SortByColumn(1, 1);
    table.SortByColumn(-1, 1);
    EXPECT_EQ(captionsOf(table), (std::vector<std::string>{"b", "a"}));
}

TEST(SortByColumn, NextCaptionAssignmentRestoresCaptionOrder)
{
    ResultTable table;
    test::setUpProgramTable(table);
    for (int i = 0; i < 50; ++i) {
        addRow(table, "host" + std::to_string(i), {"m", std::to_string(1000 - i)});
    }
    table.SortByColumn(2, 1);
    EXPECT_NE(captionsOf(table), sortedCopy(captionsOf(table)));
    addRow(table, "host-new", {"m", "1"});
    EXPECT_EQ(captionsOf(table), sortedCopy(captionsOf(table)));
}

// Keys that share long starts, differ only after 16 bytes, hold NUL and high
// bytes, or are prefixes of each other: every path of the sort's comparison.
TEST(SortByColumn, MatchesAReferenceSortOnAwkwardKeys)
{
    std::mt19937 random(17);
    const std::string alphabet = "\0a\xff"s;
    for (const std::string& start : {""s, "http://www."s, std::string(40, 'x')}) {
        ResultTable table;
        table.AddColumn();
        table.AddColumn();
        std::vector<std::pair<std::string, std::string>> rows;
        for (int i = 0; i < 3000; ++i) {
            std::string key = start;
            key.resize(start.size() + random() % 40, 'q');
            for (std::size_t k = start.size(); k < key.size(); ++k) {
                key[k] = alphabet[random() % alphabet.size()];
            }
            const std::string id = std::to_string(i);
            addRow(table, key, {id});
            rows.emplace_back(key, id);
        }
        table.SortByColumn(0, -1);
        std::stable_sort(rows.begin(), rows.end(),
                         [](const auto& a, const auto& b) { return b.first < a.first; });
        for (int i = 0; i < table.RowCount(); ++i) {
            ASSERT_EQ(table.Row(i).Caption(), rows[static_cast<std::size_t>(i)].first) << i;
            ASSERT_EQ(table.Row(i).SubItem(0), rows[static_cast<std::size_t>(i)].second) << i;
        }
        table.SetSortType(SortType::stBoth);
        table.BeginBulkUpdate();
        table.AddRow();
        table.EndBulkUpdate();
        EXPECT_EQ(captionsOf(table), sortedCopy(captionsOf(table)));
    }
}

// Checks against a plain model after every step of a random mix of
// operations: row contents, check marks, identity, and caption order whenever
// the table sorts. Some texts are long, so that edits and deletions leave
// enough unused text for the table to compact its storage now and then.
class RandomOperations {
public:
    explicit RandomOperations(unsigned seed) : m_random(seed) {}

    void run(ResultTable& table, int steps, int maxRows)
    {
        MirrorObserver mirror(table);
        for (int step = 0; step < steps; ++step) {
            const bool sorted = apply(table, maxRows);
            checkContents(table);
            if (sorted) {
                const auto captions = captionsOf(table);
                ASSERT_EQ(captions, sortedCopy(captions)) << "step " << step;
            } else {
                ASSERT_EQ(orderOf(table), m_expectedOrder) << "step " << step;
            }
            if (::testing::Test::HasFailure()) {
                return;
            }
        }
    }

private:
    std::string randomCaption()
    {
        // Few distinct captions, so that equal captions are common.
        std::string caption =
            std::string(1, static_cast<char>('a' + m_random() % 6)) + std::to_string(m_random() % 4);
        if (m_random() % 3 == 0) {
            caption.append(m_random() % 8000, static_cast<char>('a' + m_random() % 3));
        }
        return caption;
    }

    // Returns whether the table must now be in caption order; otherwise
    // m_expectedOrder holds the order it must be in.
    bool apply(ResultTable& table, int maxRows)
    {
        const bool sorting = (table.SortType() == SortType::stBoth || table.SortType() == SortType::stText) &&
                             table.BulkUpdateDepth() == 0;
        m_expectedOrder = orderOf(table);
        const int count = table.RowCount();
        switch (m_random() % 12) {
        case 0:
        case 1:
            if (count < maxRows) {
                ResultRow& row = table.AddRow();
                m_model[&row] = {""};
                m_checked.erase(&row); // a new row in a deleted row's place
                m_expectedOrder.push_back(&row);
            }
            return false;
        case 2:
        case 3:
        case 4:
            if (count > 0) {
                ResultRow& row = table.Row(static_cast<int>(m_random() % count));
                const std::string caption = randomCaption();
                row.SetCaption(caption);
                m_model[&row][0] = caption;
                return sorting;
            }
            return false;
        case 5:
            if (count > 0) {
                const int index = static_cast<int>(m_random() % count);
                m_model.erase(&table.Row(index));
                table.DeleteRow(index);
                m_expectedOrder.erase(m_expectedOrder.begin() + index);
            }
            return false;
        case 6:
            if (count > 0) {
                ResultRow& row = table.Row(static_cast<int>(m_random() % count));
                const std::string text = randomCaption();
                row.AppendSubItem(text);
                m_model[&row].push_back(text);
            }
            return false;
        case 10:
            if (count > 0) {
                ResultRow& row = table.Row(static_cast<int>(m_random() % count));
                const bool checked = m_random() % 2 == 0;
                row.SetChecked(checked);
                m_checked[&row] = checked;
            }
            return false;
        case 11:
            if (m_random() % 8 == 0) {
                table.ClearRows();
                m_model.clear();
                m_checked.clear();
                m_expectedOrder.clear();
            }
            return false;
        case 7: {
            const int column = static_cast<int>(m_random() % 3);
            const int direction = m_random() % 2 ? 1 : -1;
            table.SortByColumn(column, direction);
            auto key = [&](const ResultRow* row) {
                return std::string(column == 0 ? row->Caption() : row->SubItemOrEmpty(column - 1));
            };
            std::stable_sort(m_expectedOrder.begin(), m_expectedOrder.end(), [&](auto* a, auto* b) {
                return direction > 0 ? key(a) < key(b) : key(b) < key(a);
            });
            return false;
        }
        case 8:
            if (table.BulkUpdateDepth() < 2 && m_random() % 2) {
                table.BeginBulkUpdate();
                return false;
            }
            if (table.BulkUpdateDepth() > 0) {
                table.EndBulkUpdate();
                return table.BulkUpdateDepth() == 0 && table.SortType() == SortType::stBoth;
            }
            return false;
        default:
            if (table.BulkUpdateDepth() == 0) {
                table.SetSortType(m_random() % 4 ? SortType::stBoth : SortType::stNone);
            }
            return false;
        }
    }

    static std::vector<const ResultRow*> orderOf(const ResultTable& table)
    {
        std::vector<const ResultRow*> rows;
        for (int i = 0; i < table.RowCount(); ++i) {
            rows.push_back(&table.Row(i));
        }
        return rows;
    }

    void checkContents(const ResultTable& table)
    {
        ASSERT_EQ(static_cast<std::size_t>(table.RowCount()), m_model.size());
        for (int i = 0; i < table.RowCount(); ++i) {
            const ResultRow& row = table.Row(i);
            ASSERT_EQ(m_model.count(&row), 1u);
            ASSERT_EQ(test::textsOf(row), m_model[&row]);
            ASSERT_EQ(row.Checked(), m_checked.count(&row) > 0 && m_checked[&row]);
            ASSERT_EQ(table.IndexOf(row), i);
        }
    }

    std::mt19937 m_random;
    std::map<const ResultRow*, RowTexts> m_model;
    std::map<const ResultRow*, bool> m_checked;
    std::vector<const ResultRow*> m_expectedOrder;
};

TEST(CaptionOrder, MatchesAFullSortAfterRandomMixedOperations)
{
    for (unsigned seed = 1; seed <= 12; ++seed) {
        ResultTable table;
        table.AddColumn();
        table.AddColumn();
        table.AddColumn();
        table.SetSortType(SortType::stBoth);
        if (seed % 3 == 0) {
            // Keys in the same order as the captions, stored beside them.
            table.setCaptionSortKey([](std::string_view caption) { return "key " + std::string(caption); });
        }
        RandomOperations(seed).run(table, 1500, seed % 2 ? 40 : 400);
        ASSERT_FALSE(::testing::Test::HasFailure()) << "seed " << seed;
    }
}

// Notifications

TEST(Observer, LookupRunPatternInsertsChangesAndMoves)
{
    ResultTable table;
    sortedTable(table);
    addRow(table, "b");
    addRow(table, "d");
    MirrorObserver observer(table);
    ResultRow& row = table.AddRow();
    row.SetCaption("c");
    row.AppendSubItem("mailto:x");
    row.SetChecked(true);
    EXPECT_EQ(observer.log,
              (std::vector<std::string>{"insert 2 2", "changed 2", "move 2 1", "changed 1", "changed 1"}));
}

TEST(Observer, MovesDownUseTheDestinationBeforeTheMove)
{
    ResultTable table;
    sortedTable(table);
    addRow(table, "a");
    addRow(table, "b");
    addRow(table, "c");
    MirrorObserver observer(table);
    table.Row(0).SetCaption("z");
    EXPECT_EQ(observer.log, (std::vector<std::string>{"changed 0", "move 0 3"}));
    observer.log.clear();
    table.Row(1).SetCaption("bb"); // still in place
    EXPECT_EQ(observer.log, (std::vector<std::string>{"changed 1"}));
}

TEST(Observer, RemoveResetAndColumns)
{
    ResultTable table;
    addRow(table, "a");
    addRow(table, "b");
    MirrorObserver observer(table);
    table.DeleteRow(1);
    table.AddColumn();
    table.ClearRows();
    table.Clear();
    EXPECT_EQ(observer.log, (std::vector<std::string>{"remove 1 1", "reset", "reset", "reset"}));
}

TEST(Observer, BulkUpdateSuspendsAndSortsWithOneLayoutChange)
{
    ResultTable table;
    sortedTable(table);
    MirrorObserver observer(table);
    table.BeginBulkUpdate();
    table.BeginBulkUpdate();
    addRow(table, "b");
    addRow(table, "a");
    table.EndBulkUpdate();
    table.EndBulkUpdate();
    EXPECT_EQ(observer.logWithout("changed"),
              (std::vector<std::string>{"suspend", "insert 0 0", "insert 1 1", "layout", "resume"}));
}

TEST(Observer, HeaderClickSortIsALayoutChange)
{
    ResultTable table;
    table.AddColumn();
    addRow(table, "b");
    addRow(table, "a");
    MirrorObserver observer(table);
    table.SortByColumn(0, 1);
    EXPECT_EQ(observer.log, (std::vector<std::string>{"layout"}));
}

TEST(Observer, ManyUnplacedRowsAreSortedWithOneLayoutChange)
{
    ResultTable table;
    for (int i = 100; i > 0; --i) {
        addRow(table, std::to_string(i));
    }
    table.SetSortType(SortType::stBoth);
    MirrorObserver observer(table);
    table.Row(0).SetCaption("0");
    EXPECT_EQ(observer.log, (std::vector<std::string>{"changed 0", "layout"}));
}

} // namespace
} // namespace ostrevo
