// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "resultlist/resulttable.h"

#include "platform/errors.h"
#include "resultlist/resulttableimpl.h"

namespace ostrevo {

ResultTable::ResultTable() : m_impl(std::make_unique<Impl>(*this))
{}

ResultTable::~ResultTable() = default;

void ResultTable::setObserver(ResultTableObserver* observer)
{
    m_observer = observer;
}

// Columns

ResultColumn& ResultTable::AddColumn()
{
    if (m_observer) {
        m_observer->aboutToReset();
    }
    ResultColumn& column = m_impl->columns.emplace_back();
    if (m_observer) {
        m_observer->reset();
    }
    return column;
}

void ResultTable::addColumns(std::vector<std::string>&& captions)
{
    if (m_observer) {
        m_observer->aboutToReset();
    }
    for (std::string& caption : captions) {
        m_impl->columns.emplace_back().Caption = std::move(caption);
    }
    if (m_observer) {
        m_observer->reset();
    }
}

void ResultTable::addColumnsUpTo(int count)
{
    if (count > ColumnCount()) {
        addColumns(std::vector<std::string>(static_cast<std::size_t>(count - ColumnCount())));
    }
}

int ResultTable::ColumnCount() const
{
    return static_cast<int>(m_impl->columns.size());
}

ResultColumn& ResultTable::Column(int index)
{
    if (index < 0 || index >= ColumnCount()) {
        throw ListIndexError(index);
    }
    return m_impl->columns[static_cast<std::size_t>(index)];
}

const ResultColumn& ResultTable::Column(int index) const
{
    if (index < 0 || index >= ColumnCount()) {
        throw ListIndexError(index);
    }
    return m_impl->columns[static_cast<std::size_t>(index)];
}

// Rows

ResultRow& ResultTable::AddRow()
{
    ResultRow* row = makeRow();
    const int index = RowCount();
    try {
        m_impl->rows.prepareInsert();
    } catch (...) {
        dropRow(row);
        throw;
    }
    if (m_observer) {
        m_observer->rowsAboutToBeInserted(index, index);
    }
    m_impl->rows.insert(m_impl->rows.size(), row); // prepared: does not throw
    if (m_observer) {
        m_observer->rowsInserted();
    }
    return *row;
}

void ResultTable::appendRows(std::vector<ResultRow*>& rows)
{
    if (rows.empty()) {
        return;
    }
    const int first = RowCount();
    const int last = first + static_cast<int>(rows.size()) - 1;
    m_impl->rows.prepareAppend(rows.size());
    if (m_observer) {
        m_observer->rowsAboutToBeInserted(first, last);
    }
    m_impl->rows.append(rows); // prepared: does not throw
    if (m_observer) {
        m_observer->rowsInserted();
    }
}

int ResultTable::RowCount() const
{
    return static_cast<int>(m_impl->rows.size());
}

ResultRow& ResultTable::Row(int index)
{
    if (index < 0 || index >= RowCount()) {
        throw ListIndexError(index);
    }
    return m_impl->rows.at(static_cast<std::size_t>(index));
}

const ResultRow& ResultTable::Row(int index) const
{
    if (index < 0 || index >= RowCount()) {
        throw ListIndexError(index);
    }
    return m_impl->rows.at(static_cast<std::size_t>(index));
}

int ResultTable::IndexOf(const ResultRow& row) const
{
    const std::size_t index = m_impl->rows.indexOf(row);
    return index == ResultRowStore::npos ? -1 : static_cast<int>(index);
}

void ResultTable::DeleteRow(int index)
{
    if (index < 0 || index >= RowCount()) {
        throw ListIndexError(index);
    }
    if (m_observer) {
        m_observer->rowsAboutToBeRemoved(index, index);
    }
    const auto position = static_cast<std::size_t>(index);
    if (position < m_impl->orderedCount) {
        --m_impl->orderedCount;
    }
    dropRow(m_impl->rows.erase(position));
    if (m_observer) {
        m_observer->rowsRemoved();
    }
    compactTextsIfWorthIt();
}

void ResultTable::ClearRows()
{
    if (m_observer) {
        m_observer->aboutToReset();
    }
    clearRowStorage();
    if (m_observer) {
        m_observer->reset();
    }
}

void ResultTable::Clear()
{
    if (m_observer) {
        m_observer->aboutToReset();
    }
    clearRowStorage();
    m_impl->columns.clear();
    if (m_observer) {
        m_observer->reset();
    }
}

void ResultTable::clearRowStorage() noexcept
{
    // The rows own nothing: freeing the pool's and the arena's blocks is all.
    m_impl->rows.clear();
    m_impl->rowSlots.clear();
    m_impl->texts.clear();
    m_impl->orderedCount = 0;
}

void ResultTable::rowTextChanged(const ResultRow& row)
{
    if (!m_observer) {
        return;
    }
    const std::size_t index = m_impl->rows.indexOf(row);
    if (index != ResultRowStore::npos) {
        m_observer->rowChanged(static_cast<int>(index));
    }
}

// Bulk update

void ResultTable::BeginBulkUpdate()
{
    if (m_impl->bulkDepth == 0) {
        m_impl->savedSortType = m_sortType;
        m_sortType = ostrevo::SortType::stNone;
        if (m_observer) {
            m_observer->updatesSuspended(true);
        }
    }
    ++m_impl->bulkDepth;
}

bool ResultTable::isCaptionRow(const std::vector<std::string>& texts) const
{
    const auto& columns = m_impl->columns;
    std::size_t named = columns.size();
    while (named > 0 && columns[named - 1].Caption.empty()) {
        --named;
    }
    // A line of empty texts names only a table of as many unnamed columns.
    if (texts.empty() || texts.size() < named || (named == 0 && texts.size() != columns.size())) {
        return false;
    }
    for (std::size_t k = 0; k < texts.size(); ++k) {
        if (k < named ? texts[k] != columns[k].Caption : !texts[k].empty()) {
            return false;
        }
    }
    return true;
}

void ResultTable::EndBulkUpdate()
{
    if (m_impl->bulkDepth == 0) {
        return;
    }
    if (--m_impl->bulkDepth > 0) {
        return;
    }
    m_sortType = m_impl->savedSortType;
    try {
        if (sortsOnCaption()) {
            sortByCaption();
        }
    } catch (...) {
        if (m_observer) {
            m_observer->updatesSuspended(false);
        }
        throw;
    }
    if (m_observer) {
        m_observer->updatesSuspended(false);
    }
}

int ResultTable::BulkUpdateDepth() const
{
    return m_impl->bulkDepth;
}

void ResultTable::SetSortType(ostrevo::SortType sortType)
{
    m_sortType = sortType;
}

} // namespace ostrevo
