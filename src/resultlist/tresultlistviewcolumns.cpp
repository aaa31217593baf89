// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
// The view's columns: how they share the list's width, the widths the user
// drags, and the text widths that fitting columns measure.
#include "resultlist/resultcolumns.h"
#include "resultlist/resultheaderview.h"
#include "resultlist/resulttable.h"
#include "resultlist/tresultlistview.h"

#include <QTimer>

#include <algorithm>

namespace ostrevo {
namespace {

// A large load measures this many rows at each end of what arrived, not all.
constexpr int kMeasuredRowsPerEnd = 1000;
// Texts come from outside: a fitting column grows to at most this many times its default.
constexpr int kFitGrowthLimit = 3;
// Room beside a text for the divider the user drags.
constexpr int kDividerRoom = 4;
// Widths taken back from the settings are bounded.
constexpr int kLeastUserWidth = 8;
constexpr int kMostUserWidth = 4000;

} // namespace

void TResultListView::setColumnSizing(int column, ColumnSizing sizing)
{
    if (column < 0 || column >= m_table.ColumnCount()) {
        return;
    }
    m_columns.resize(static_cast<std::size_t>(m_table.ColumnCount()));
    ColumnState& state = m_columns[static_cast<std::size_t>(column)];
    state.sizing = sizing;
    state.defaultWidth = m_table.Column(column).width;
    state.textWidth = captionWidth(column);
    if (sizing == ColumnSizing::FitText) {
        rowsArrived(0, m_table.RowCount() - 1);
    }
    applyColumnWidths();
}

QList<int> TResultListView::userColumnWidths() const
{
    QList<int> widths;
    for (std::size_t column = 0; column < m_columns.size(); ++column) {
        widths.append(m_columns[column].userSized ? m_table.Column(static_cast<int>(column)).width : 0);
    }
    return widths;
}

void TResultListView::setUserColumnWidths(const QList<int>& widths)
{
    const int count = std::min(static_cast<int>(widths.size()), static_cast<int>(m_columns.size()));
    for (int column = 0; column < count; ++column) {
        const int width = widths[column];
        if (width >= kLeastUserWidth && width <= kMostUserWidth) {
            m_columns[static_cast<std::size_t>(column)].userSized = true;
            m_table.Column(column).width = width;
        }
    }
    applyColumnWidths();
}

int TResultListView::captionWidth(int column) const
{
    const QString caption = QString::fromStdString(m_table.Column(column).Caption);
    return m_header->fontMetrics().horizontalAdvance(caption) + 2 * 2 + kDividerRoom;
}

void TResultListView::applyColumnWidths()
{
    const int count = std::min(m_table.ColumnCount(), m_header->count());
    m_columns.resize(static_cast<std::size_t>(m_table.ColumnCount()));
    std::vector<ColumnPlan> plans;
    for (int column = 0; column < count; ++column) {
        const ColumnState& state = m_columns[static_cast<std::size_t>(column)];
        const int most = std::max(captionWidth(column), kFitGrowthLimit * state.defaultWidth);
        plans.push_back({.sizing = state.sizing,
                         .width = m_table.Column(column).width,
                         .userSized = state.userSized,
                         .textWidth = std::min(state.textWidth, most)});
    }
    const std::vector<int> widths = fitColumnWidths(plans, viewport()->width());
    m_applyingWidths = true;
    for (int column = 0; column < count; ++column) {
        if (m_header->sectionSize(column) != widths[static_cast<std::size_t>(column)]) {
            m_header->resizeSection(column, widths[static_cast<std::size_t>(column)]);
        }
    }
    m_applyingWidths = false;
}

void TResultListView::storeColumnWidth(int column, int, int newWidth)
{
    // The table keeps the widths the user drags, so that they survive a reset.
    if (m_applyingWidths || column < 0 || column >= m_table.ColumnCount()) {
        return;
    }
    m_table.Column(column).width = newWidth;
    m_columns.resize(static_cast<std::size_t>(m_table.ColumnCount()));
    ColumnState& state = m_columns[static_cast<std::size_t>(column)];
    if (state.sizing != ColumnSizing::Fixed) {
        state.userSized = true;
        // The columns still sized automatically take up what the drag freed or took.
        applyColumnWidths();
    }
}

void TResultListView::resetColumnWidth(int column)
{
    if (column < 0 || static_cast<std::size_t>(column) >= m_columns.size()) {
        return;
    }
    ColumnState& state = m_columns[static_cast<std::size_t>(column)];
    if (state.sizing == ColumnSizing::Fixed) {
        return;
    }
    state.userSized = false;
    m_table.Column(column).width = state.defaultWidth;
    applyColumnWidths();
}

void TResultListView::columnsReset()
{
    m_columns.resize(static_cast<std::size_t>(m_table.ColumnCount()));
    for (std::size_t column = 0; column < m_columns.size(); ++column) {
        m_columns[column].textWidth = captionWidth(static_cast<int>(column));
    }
    m_arrivedFirst = m_arrivedLast = -1;
    rowsArrived(0, m_table.RowCount() - 1);
    applyColumnWidths();
}

void TResultListView::rowsArrived(int first, int last)
{
    const bool fitting = std::any_of(m_columns.begin(), m_columns.end(), [](const ColumnState& state) {
        return state.sizing == ColumnSizing::FitText;
    });
    if (!fitting || first > last) {
        return;
    }
    m_arrivedFirst = m_arrivedFirst < 0 ? first : std::min(m_arrivedFirst, first);
    m_arrivedLast = std::max(m_arrivedLast, last);
    // A row's texts are set after it is added: measure once control is back.
    m_measureTimer->start();
}

void TResultListView::measureArrivedRows()
{
    const int first = std::max(0, m_arrivedFirst);
    const int last = std::min(m_arrivedLast, m_table.RowCount() - 1);
    m_arrivedFirst = m_arrivedLast = -1;
    if (first > last) {
        return;
    }
    const int headEnd = std::min(last, first + kMeasuredRowsPerEnd - 1);
    for (int row = first; row <= headEnd; ++row) {
        measureRow(row);
    }
    for (int row = std::max(headEnd + 1, last - kMeasuredRowsPerEnd + 1); row <= last; ++row) {
        measureRow(row);
    }
    applyColumnWidths();
}

void TResultListView::measureRow(int row)
{
    const ResultRow& shown = m_table.Row(row);
    const QFontMetrics metrics = fontMetrics();
    for (std::size_t column = 0; column < m_columns.size(); ++column) {
        ColumnState& state = m_columns[column];
        if (state.sizing != ColumnSizing::FitText) {
            continue;
        }
        const std::string_view text = ostrevo::cellText(shown, static_cast<int>(column));
        const int left =
            column == 0 && m_table.Checkboxes() ? listgeometry::kCheckedTextLeft : listgeometry::kTextMargin;
        const int width =
            left + listgeometry::kTextMargin + kDividerRoom +
            metrics.horizontalAdvance(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
        state.textWidth = std::max(state.textWidth, width);
    }
}

} // namespace ostrevo
