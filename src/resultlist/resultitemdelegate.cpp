// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "resultlist/resultitemdelegate.h"

#include "resultlist/resulttable.h"
#include "resultlist/tresultlistview.h"

namespace ostrevo {

ResultItemDelegate::ResultItemDelegate(TResultListView& view) : QStyledItemDelegate(&view), m_view(view)
{}

QSize ResultItemDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const
{
    return {option.rect.width(), m_view.ItemHeight()};
}

QWidget* ResultItemDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                          const QModelIndex& index) const
{
    QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
    if (editor) {
        editor->setObjectName(QStringLiteral("captionEditor"));
        editor->setFont(m_view.font());
    }
    return editor;
}

void ResultItemDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                              const QModelIndex& index) const
{
    // The editor covers the caption's text, not its check box.
    QRect rect = option.rect;
    if (index.column() == 0 && m_view.table().Checkboxes()) {
        rect.setLeft(rect.left() + listgeometry::kCheckedTextLeft);
    }
    editor->setGeometry(rect);
}

bool ResultItemDelegate::editorEvent(QEvent*, QAbstractItemModel*, const QStyleOptionViewItem&,
                                     const QModelIndex&)
{
    return false;
}

} // namespace ostrevo
