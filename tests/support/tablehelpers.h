// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// Shared by the result table tests: rows added and dumped, the program's
// table, and an observer that follows the table the way a Qt model would.

#include "resultlist/resultcolumns.h"
#include "resultlist/resulttable.h"
#include "tempfolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include <unistd.h>

namespace ostrevo::test {

namespace fs = std::filesystem;

// A row with its caption and sub-items; ticked when asked.
inline ResultRow& addRow(ResultTable& table, std::string caption, std::vector<std::string> subItems = {},
                         bool checked = false)
{
    ResultRow& row = table.AddRow();
    row.SetCaption(std::move(caption));
    for (auto& text : subItems) {
        row.AppendSubItem(std::move(text));
    }
    // Ticking turns the table's checkboxes on: leave them alone otherwise.
    if (checked) {
        row.SetChecked(true);
    }
    return row;
}

// Caption followed by the sub-items.
using RowTexts = std::vector<std::string>;

inline RowTexts textsOf(const ResultRow& row)
{
    RowTexts texts = row.SubItems();
    texts.emplace(texts.begin(), row.Caption());
    return texts;
}

inline std::vector<RowTexts> rowsOf(const ResultTable& table)
{
    std::vector<RowTexts> rows;
    for (int i = 0; i < table.RowCount(); ++i) {
        rows.push_back(textsOf(table.Row(i)));
    }
    return rows;
}

inline std::vector<std::string> captionsOf(const ResultTable& table)
{
    std::vector<std::string> captions;
    for (int i = 0; i < table.RowCount(); ++i) {
        captions.emplace_back(table.Row(i).Caption());
    }
    return captions;
}

inline std::vector<std::string> columnCaptionsOf(const ResultTable& table)
{
    std::vector<std::string> captions;
    for (int k = 0; k < table.ColumnCount(); ++k) {
        captions.push_back(table.Column(k).Caption);
    }
    return captions;
}

// The program's table: three columns, sorted by caption, header written.
inline void setUpProgramTable(ResultTable& table)
{
    table.SetCheckboxes(true);
    table.SetSortType(SortType::stBoth);
    table.SetSaveHeader(true);
    table.SetLoadHeader(false);
    setUpResultColumns(table);
}

// Keeps its own list of the rows, changed only as each notification says,
// with Qt's index conventions, and checks after every change that the list
// matches the table. Also logs the notifications as short texts.
class MirrorObserver : public ResultTableObserver {
public:
    explicit MirrorObserver(ResultTable& table) : m_table(table)
    {
        m_mirror = current();
        table.setObserver(this);
    }
    ~MirrorObserver() override { m_table.setObserver(nullptr); }

    std::vector<std::string> log;

    void rowsAboutToBeInserted(int first, int last) override
    {
        expectIdle("insert");
        EXPECT_GE(first, 0);
        EXPECT_LE(first, static_cast<int>(m_mirror.size()));
        EXPECT_LE(first, last);
        m_pending = Pending{Kind::Insert, first, last};
        log.push_back("insert " + std::to_string(first) + " " + std::to_string(last));
    }
    void rowsInserted() override
    {
        ASSERT_EQ(m_pending.kind, Kind::Insert);
        for (int k = m_pending.first; k <= m_pending.second; ++k) {
            m_mirror.insert(m_mirror.begin() + k, &m_table.Row(k));
        }
        finish();
    }
    void rowsAboutToBeRemoved(int first, int last) override
    {
        expectIdle("remove");
        ASSERT_LE(last, static_cast<int>(m_mirror.size()) - 1);
        for (int k = first; k <= last; ++k) {
            EXPECT_EQ(m_mirror[static_cast<std::size_t>(k)], &m_table.Row(k));
        }
        m_pending = Pending{Kind::Remove, first, last};
        log.push_back("remove " + std::to_string(first) + " " + std::to_string(last));
    }
    void rowsRemoved() override
    {
        ASSERT_EQ(m_pending.kind, Kind::Remove);
        m_mirror.erase(m_mirror.begin() + m_pending.first, m_mirror.begin() + m_pending.second + 1);
        finish();
    }
    void rowAboutToBeMoved(int from, int to) override
    {
        expectIdle("move");
        // QAbstractItemModel::beginMoveRows refuses moves onto the row itself.
        EXPECT_NE(to, from);
        EXPECT_NE(to, from + 1);
        EXPECT_GE(to, 0);
        EXPECT_LE(to, static_cast<int>(m_mirror.size()));
        EXPECT_EQ(m_mirror.at(static_cast<std::size_t>(from)), &m_table.Row(from));
        m_pending = Pending{Kind::Move, from, to};
        log.push_back("move " + std::to_string(from) + " " + std::to_string(to));
    }
    void rowMoved() override
    {
        ASSERT_EQ(m_pending.kind, Kind::Move);
        const int from = m_pending.first;
        const int to = m_pending.second;
        const ResultRow* row = m_mirror[static_cast<std::size_t>(from)];
        m_mirror.erase(m_mirror.begin() + from);
        m_mirror.insert(m_mirror.begin() + (to > from ? to - 1 : to), row);
        finish();
    }
    void layoutAboutToBeChanged() override
    {
        expectIdle("layout");
        m_pending = Pending{Kind::Layout, 0, 0};
        log.push_back("layout");
    }
    void layoutChanged() override
    {
        ASSERT_EQ(m_pending.kind, Kind::Layout);
        // Rows keep their identity: the same objects, in a new order.
        auto before = std::multiset<const ResultRow*>(m_mirror.begin(), m_mirror.end());
        m_mirror = current();
        EXPECT_EQ(before, std::multiset<const ResultRow*>(m_mirror.begin(), m_mirror.end()));
        finish();
    }
    void rowChanged(int index) override
    {
        expectIdle("changed");
        ASSERT_GE(index, 0);
        ASSERT_LT(index, static_cast<int>(m_mirror.size()));
        EXPECT_EQ(m_mirror[static_cast<std::size_t>(index)], &m_table.Row(index));
        log.push_back("changed " + std::to_string(index));
    }
    void aboutToReset() override
    {
        expectIdle("reset");
        m_pending = Pending{Kind::Reset, 0, 0};
        log.push_back("reset");
    }
    void reset() override
    {
        ASSERT_EQ(m_pending.kind, Kind::Reset);
        m_mirror = current();
        finish();
    }
    void updatesSuspended(bool suspended) override
    {
        expectIdle("suspend");
        log.push_back(suspended ? "suspend" : "resume");
    }

    // The log without the given kinds of entries (e.g. "changed").
    std::vector<std::string> logWithout(const std::string& prefix) const
    {
        std::vector<std::string> kept;
        std::copy_if(log.begin(), log.end(), std::back_inserter(kept),
                     [&](const std::string& entry) { return entry.rfind(prefix, 0) != 0; });
        return kept;
    }

private:
    enum class Kind { None, Insert, Remove, Move, Layout, Reset };
    struct Pending {
        Kind kind = Kind::None;
        int first = 0;
        int second = 0;
    };

    std::vector<const ResultRow*> current() const
    {
        std::vector<const ResultRow*> rows;
        for (int i = 0; i < m_table.RowCount(); ++i) {
            rows.push_back(&m_table.Row(i));
        }
        return rows;
    }
    void expectIdle(const char* what) const
    {
        EXPECT_EQ(m_pending.kind, Kind::None) << what << " while another change is open";
    }
    void finish()
    {
        m_pending = Pending{};
        EXPECT_EQ(m_mirror, current()) << "the notifications do not describe the change";
    }

    ResultTable& m_table;
    std::vector<const ResultRow*> m_mirror;
    Pending m_pending;
};

} // namespace ostrevo::test
