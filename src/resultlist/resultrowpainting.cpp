// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
//
// How TResultListView draws a row: each cell starts from the row's colours,
// the per-cell hook may change them, a selected row's first cell and link
// cells then get their own, and the text is drawn after the check box.

#include "platform/qtcolour.h"
#include "resultlist/linktext.h"
#include "resultlist/resultheaderview.h"
#include "resultlist/resulttable.h"
#include "resultlist/tresultlistview.h"

#include <QPainter>
#include <QPen>

namespace ostrevo {

struct TResultListView::RowColours {
    QBrush brush;
    CellFont font;
    QColor normalBackground;
    QColor normalText;
    QColor link;
};

namespace {

// What a control's outline needs to be seen against its background.
constexpr double kFrameContrast = 3.0;

Qt::Alignment verticalAlignment(TVerticalAlignment alignment)
{
    switch (alignment) {
    case TVerticalAlignment::vtaTop:
        return Qt::AlignTop;
    case TVerticalAlignment::vtaBottom:
        return Qt::AlignBottom;
    case TVerticalAlignment::vtaCenter:
        break;
    }
    return Qt::AlignVCenter;
}

} // namespace

void TResultListView::drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const
{
    const int row = index.row();
    if (row < 0 || row >= m_table.RowCount()) {
        return;
    }

    TOwnerDrawState state;
    if (selectionModel() && selectionModel()->isSelected(index.siblingAtColumn(0))) {
        state |= OwnerDrawFlag::odSelected;
    }
    const QModelIndex current = currentIndex();
    if (current.isValid() && current.row() == row) {
        state |= OwnerDrawFlag::odFocus;
    }

    RowColours colours;
    colours.normalBackground = palette().color(QPalette::Base);
    colours.normalText = palette().color(QPalette::Text);
    // Blue links vanish on a dark desktop's base: they get a lighter blue there.
    colours.link = readableTint(m_urlColor, colours.normalBackground);
    colours.brush = QBrush(colours.normalBackground);
    colours.font = CellFont{font(), colours.normalText};
    if (state & OwnerDrawFlag::odSelected) {
        colours.brush.setColor(m_selectionColor);
        colours.font.color = m_selectionTextColor;
    }

    const int top = option.rect.top();
    const int height = option.rect.height();
    const int visibleWidth = viewport()->width();
    painter->save();
    for (int position = 0; position < m_header->count(); ++position) {
        const int column = m_header->logicalIndex(position);
        if (column < 0 || column >= m_table.ColumnCount() || m_header->isSectionHidden(column)) {
            continue;
        }
        const QRect cellRect(m_header->sectionViewportPosition(column), top, m_header->sectionSize(column),
                             height);
        // Columns scrolled out of sight are not drawn at all.
        if (cellRect.right() < 0 || cellRect.left() >= visibleWidth || cellRect.width() <= 0) {
            continue;
        }
        paintCell(*painter, cellRect, row, column, position, state, colours);
    }

    // The selected cell is always the caption's.
    if ((state & OwnerDrawFlag::odSelected) && (state & OwnerDrawFlag::odFocus) && hasFocus() &&
        m_table.ColumnCount() > 0 && !m_header->isSectionHidden(0)) {
        paintFocusRect(*painter,
                       QRect(m_header->sectionViewportPosition(0), top, m_header->sectionSize(0), height));
    }
    painter->restore();
}

void TResultListView::paintCell(QPainter& painter, const QRect& cellRect, int row, int column, int position,
                                TOwnerDrawState state, const RowColours& colours) const
{
    const std::string_view text = cellText(row, column);
    const bool selected = state.testFlag(OwnerDrawFlag::odSelected);

    // Copies: whatever the hook does stays in this cell.
    QBrush brush = colours.brush;
    CellFont cellFont = colours.font;
    if (position != 0 && (selected || state.testFlag(OwnerDrawFlag::odFocus))) {
        brush.setColor(colours.normalBackground);
        cellFont.color = colours.normalText;
    }
    if (OnDrawItemProp) {
        try {
            // The hook gets the view it colours; drawing does not change the view itself.
            OnDrawItemProp(const_cast<TResultListView&>(*this), row, column - 1, state, brush, cellFont,
                           text);
        } catch (...) {
            // A failing hook must not take the paint down: the cell is drawn
            // with the colours it has so far.
        }
    }
    if (selected && position == 0) {
        brush.setColor(m_selectionColor);
        cellFont.color = m_selectionTextColor;
    }
    if (m_urlShow && isLinkText(text)) {
        cellFont.font.setUnderline(true);
        cellFont.color = colours.link;
    }
    const std::string_view shown = m_urlShow ? shownCellText(text, !m_urlFull) : text;

    painter.fillRect(cellRect, brush);

    QRect textRect = cellRect;
    if (position == 0 && m_table.Checkboxes()) {
        const QRect box(cellRect.left() + listgeometry::kCheckBoxLeft,
                        listgeometry::checkBoxTop(cellRect.top(), cellRect.height(), m_vAlignment),
                        listgeometry::kCheckBoxSize, listgeometry::kCheckBoxSize);
        paintCheckBox(painter, box, m_table.Row(row).Checked());
        textRect.setLeft(cellRect.left() + listgeometry::kCheckedTextLeft);
    }
    textRect.adjust(listgeometry::kTextMargin, 0, -listgeometry::kTextMargin, 0);
    if (shown.empty() || textRect.width() <= 0) {
        return;
    }

    QString shownText = QString::fromUtf8(shown.data(), static_cast<qsizetype>(shown.size()));
    painter.setFont(cellFont.font);
    painter.setPen(cellFont.color);
    if (!shownText.contains(QLatin1Char('\r'))) {
        shownText = painter.fontMetrics().elidedText(shownText, Qt::ElideRight, textRect.width());
    }
    const Qt::Alignment alignment =
        columnAlignment(m_table.Column(column).alignment) | verticalAlignment(m_vAlignment);
    painter.drawText(textRect, static_cast<int>(alignment) | Qt::TextSingleLine | Qt::TextExpandTabs,
                     shownText);
}

void TResultListView::paintCheckBox(QPainter& painter, const QRect& box, bool checked) const
{
    // A flat box: a one-pixel frame around a window-coloured square. A dark
    // desktop's frame colour can be darker than its base: then a lighter one.
    const QColor base = palette().color(QPalette::Base);
    QColor frame = palette().color(QPalette::Dark);
    if (contrastRatio(toRgb(frame), toRgb(base)) < kFrameContrast) {
        frame = readableTint(frame, base);
    }
    painter.fillRect(box, frame);
    painter.fillRect(box.adjusted(1, 1, -1, -1), palette().color(QPalette::Base));
    if (!checked) {
        return;
    }
    painter.setPen(QPen(palette().color(QPalette::Text), 1));
    const int x = box.left();
    const int y = box.top();
    for (int dy = 0; dy < 3; ++dy) {
        painter.drawLine(x + 3, y + 5 + dy, x + 5, y + 7 + dy);
        painter.drawLine(x + 5, y + 7 + dy, x + 10, y + 2 + dy);
    }
}

void TResultListView::paintFocusRect(QPainter& painter, const QRect& rect) const
{
    QPen pen(m_selectionTextColor, 1);
    pen.setDashPattern({1.0, 1.0});
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
}

} // namespace ostrevo
