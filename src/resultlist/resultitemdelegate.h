// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// Row height and the caption editor of the result list. Drawing and check
// marks are the view's own: the delegate neither paints nor toggles.

#include <QStyledItemDelegate>

namespace ostrevo {

class TResultListView;

class ResultItemDelegate final : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit ResultItemDelegate(TResultListView& view);

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;

protected:
    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override;

private:
    TResultListView& m_view;
};

} // namespace ostrevo
