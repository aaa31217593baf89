// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "resultlist/resulttablemodel.h"

#include "platform/errorguard.h"
#include "resultlist/resultcolumns.h"

namespace ostrevo {

// Turns the table's notifications into the model's begin/end calls.
class ResultTableModel::TableFollower final : public ResultTableObserver {
public:
    explicit TableFollower(ResultTableModel& model) : m(model) {}

    void rowsAboutToBeInserted(int first, int last) override { m.beginInsertRows({}, first, last); }
    void rowsInserted() override { m.endInsertRows(); }
    void rowsAboutToBeRemoved(int first, int last) override { m.beginRemoveRows({}, first, last); }
    void rowsRemoved() override { m.endRemoveRows(); }
    void rowAboutToBeMoved(int from, int to) override { m.beginMoveRows({}, from, from, {}, to); }
    void rowMoved() override { m.endMoveRows(); }
    void aboutToReset() override { m.beginResetModel(); }
    void reset() override { m.endResetModel(); }
    void updatesSuspended(bool suspended) override { emit m.bulkUpdateChanged(suspended); }

    void rowChanged(int row) override
    {
        emit m.dataChanged(m.index(row, 0), m.index(row, qMax(0, m.columnCount() - 1)));
    }

    void layoutAboutToBeChanged() override
    {
        emit m.layoutAboutToBeChanged();
        m.m_persistentRows.clear();
        const QModelIndexList indexes = m.persistentIndexList();
        for (const QModelIndex& index : indexes) {
            m.m_persistentRows.append(index.row() < m.m_table.RowCount() ? &m.m_table.Row(index.row())
                                                                         : nullptr);
        }
    }

    void layoutChanged() override
    {
        const QModelIndexList from = m.persistentIndexList();
        QModelIndexList to;
        to.reserve(from.size());
        for (qsizetype i = 0; i < from.size(); ++i) {
            const ResultRow* row = i < m.m_persistentRows.size() ? m.m_persistentRows[i] : nullptr;
            const int newRow = row ? m.m_table.IndexOf(*row) : -1;
            to.append(newRow < 0 ? QModelIndex() : m.index(newRow, from[i].column()));
        }
        m.changePersistentIndexList(from, to);
        m.m_persistentRows.clear();
        emit m.layoutChanged();
    }

private:
    ResultTableModel& m;
};

ResultTableModel::ResultTableModel(ResultTable& table, QObject* parent)
    : QAbstractTableModel(parent), m_table(table), m_follower(std::make_unique<TableFollower>(*this))
{
    m_table.setObserver(m_follower.get());
}

ResultTableModel::~ResultTableModel()
{
    m_table.setObserver(nullptr);
}

int ResultTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_table.RowCount();
}

int ResultTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_table.ColumnCount();
}

static QString shownText(const ResultRow& row, int column)
{
    const std::string_view text = cellText(row, column);
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QVariant ResultTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_table.RowCount()) {
        return {};
    }
    const ResultRow& row = m_table.Row(index.row());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return shownText(row, index.column());
    case Qt::CheckStateRole:
        if (index.column() == 0 && m_table.Checkboxes()) {
            return row.Checked() ? Qt::Checked : Qt::Unchecked;
        }
        return {};
    case Qt::ToolTipRole:
        if (m_toolTips) {
            const QString tip = m_toolTips(row, index.column());
            return tip.isEmpty() ? QVariant() : QVariant(tip);
        }
        return {};
    default:
        return {};
    }
}

bool ResultTableModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || index.row() >= m_table.RowCount()) {
        return false;
    }
    bool changed = false;
    // Qt calls this straight from a click or an editor: nothing may escape.
    guarded(m_errorPrompts, [&] {
        ResultRow& row = m_table.Row(index.row());
        if (role == Qt::CheckStateRole && index.column() == 0) {
            row.SetChecked(value.value<Qt::CheckState>() == Qt::Checked);
            changed = true;
        } else if (role == Qt::EditRole && index.column() == 0) {
            row.SetCaption(value.toString().toStdString());
            changed = true;
        }
    });
    return changed;
}

QVariant ResultTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= m_table.ColumnCount()) {
        return {};
    }
    return QString::fromStdString(m_table.Column(section).Caption);
}

Qt::ItemFlags ResultTableModel::flags(const QModelIndex& index) const
{
    if (!index.isValid()) {
        return Qt::NoItemFlags;
    }
    // A flat table: saying so spares tree views a child query per row on every layout.
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    if (index.column() == 0) {
        f |= Qt::ItemIsUserCheckable | Qt::ItemIsEditable;
    }
    return f;
}

} // namespace ostrevo
