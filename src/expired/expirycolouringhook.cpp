// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "expired/expirycolouringhook.h"

#include "expired/expirycolouring.h"
#include "platform/qtcolour.h"
#include "resultlist/resultcolumns.h"
#include "resultlist/resulttable.h"

#include <QDate>

namespace ostrevo {

namespace {

constexpr int kExpirySubItem = static_cast<int>(subItemOf(ResultField::Expires));

} // namespace

int localCurrentYear()
{
    return QDate::currentDate().year();
}

void colourExpiryCell(const ResultTable& table, int itemindex, int subitemindex, QBrush& brush,
                      CellFont& font, int currentYear)
{
    if (subitemindex != kExpirySubItem || itemindex < 0 || itemindex >= table.RowCount()) {
        return;
    }
    const std::optional<Rgb> colour =
        expiryCellColour(table.Row(itemindex).SubItemOrEmpty(kExpirySubItem), currentYear);
    if (!colour) {
        return;
    }
    font.color = toQColor(readableTextOn(*colour));
    brush.setColor(toQColor(*colour));
}

TDrawItemProp expiryColouring(std::function<int()> currentYear)
{
    return [currentYear = std::move(currentYear)](TResultListView& sender, int itemindex, int subitemindex,
                                                  TOwnerDrawState, QBrush& brush, CellFont& font,
                                                  std::string_view) {
        if (subitemindex == kExpirySubItem) {
            colourExpiryCell(sender.table(), itemindex, subitemindex, brush, font, currentYear());
        }
    };
}

} // namespace ostrevo
