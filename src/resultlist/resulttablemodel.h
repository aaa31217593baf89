// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// Shows a ResultTable to Qt's item views without copying its rows: the model
// follows the table's change notifications.

#include "resultlist/resulttable.h"

#include <QAbstractTableModel>

#include <functional>
#include <memory>

namespace ostrevo {

class Prompts;

class ResultTableModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ResultTableModel(ResultTable& table, QObject* parent = nullptr);
    ~ResultTableModel() override;

    ResultTable& table() { return m_table; }
    // Where an edit's error is shown (see errorguard.h).
    void setErrorPrompts(Prompts* prompts) { m_errorPrompts = prompts; }
    // A cell's tool tip, from what the window knows beside the saved columns.
    using ToolTips = std::function<QString(const ResultRow& row, int column)>;
    void setToolTips(ToolTips toolTips) { m_toolTips = std::move(toolTips); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

signals:
    // A bulk update opened (true) or closed (false): views stop painting meanwhile.
    void bulkUpdateChanged(bool open);

private:
    class TableFollower;
    friend class TableFollower;

    ResultTable& m_table;
    Prompts* m_errorPrompts = nullptr;
    ToolTips m_toolTips;
    std::unique_ptr<ResultTableObserver> m_follower;
    // Rows behind the views' persistent indexes while a layout change is under way.
    QList<const ResultRow*> m_persistentRows;
};

} // namespace ostrevo
