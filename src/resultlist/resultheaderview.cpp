// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "resultlist/resultheaderview.h"

#include <QPainter>

namespace ostrevo {

namespace {

// Inset of the caption inside its item, and the item's edge above and below.
constexpr int kCaptionInsetX = 2;
constexpr int kCaptionInsetY = 1;
constexpr int kEdge = 1;

} // namespace

Qt::Alignment columnAlignment(ResultColumn::Alignment alignment)
{
    switch (alignment) {
    case ResultColumn::Alignment::Right:
        return Qt::AlignRight;
    case ResultColumn::Alignment::Center:
        return Qt::AlignHCenter;
    case ResultColumn::Alignment::Left:
        break;
    }
    return Qt::AlignLeft;
}

ResultHeaderView::ResultHeaderView(const ResultTable& table, QWidget* parent)
    : QHeaderView(Qt::Horizontal, parent), m_table(table)
{
    setObjectName(QStringLiteral("resultatHeader"));
}

void ResultHeaderView::setTextHeight(int height)
{
    m_textHeight = qMax(0, height);
    updateGeometry();
    viewport()->update();
}

QSize ResultHeaderView::sizeHint() const
{
    QSize size = QHeaderView::sizeHint();
    size.setHeight(m_textHeight + 2 * (kCaptionInsetY + kEdge));
    return size;
}

void ResultHeaderView::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const
{
    if (!rect.isValid()) {
        return;
    }
    painter->fillRect(rect, palette().color(QPalette::Button));
    // A divider so that the user sees where to drag a column's width.
    painter->setPen(palette().color(QPalette::Mid));
    painter->drawLine(rect.topRight(), rect.bottomRight());

    if (logicalIndex < 0 || logicalIndex >= m_table.ColumnCount()) {
        return;
    }
    const ResultColumn& column = m_table.Column(logicalIndex);
    const QRect textRect = rect.adjusted(kCaptionInsetX, kCaptionInsetY, -kCaptionInsetX, -kCaptionInsetY);
    QString caption = QString::fromStdString(column.Caption);
    const Qt::Alignment alignment = columnAlignment(column.alignment) | Qt::AlignVCenter;

    painter->setFont(font());
    painter->setPen(palette().color(QPalette::ButtonText));
    if (caption.contains(QLatin1Char('\r'))) {
        // A caption with a line break is shown on several lines, unshortened.
        caption.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        caption.replace(QLatin1Char('\r'), QLatin1Char('\n'));
        painter->drawText(textRect, static_cast<int>(alignment), caption);
        return;
    }
    const QString shown = painter->fontMetrics().elidedText(caption, Qt::ElideRight, textRect.width());
    painter->drawText(textRect, static_cast<int>(alignment) | Qt::TextSingleLine, shown);
}

} // namespace ostrevo
