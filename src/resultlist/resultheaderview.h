// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// The result list's header: every item drawn flat in the button face colour
// with the column's caption, as the list's own header items. Sorting draws no
// glyph (the list has none set).

#include "resultlist/resulttable.h"

#include <QHeaderView>

namespace ostrevo {

Qt::Alignment columnAlignment(ResultColumn::Alignment alignment);

class ResultHeaderView final : public QHeaderView {
    Q_OBJECT
public:
    ResultHeaderView(const ResultTable& table, QWidget* parent = nullptr);

    // The header is laid out for captions of this height.
    void setTextHeight(int height);
    int textHeight() const { return m_textHeight; }

    QSize sizeHint() const override;

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;

private:
    const ResultTable& m_table;
    int m_textHeight = 13;
};

} // namespace ostrevo
