// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "resultlist/resultcolumns.h"

#include "resultlist/resulttable.h"

namespace ostrevo {

std::string_view captionOf(ResultField field)
{
    switch (field) {
    case ResultField::Site:
        return "Web sites";
    case ResultField::Email:
        return "Email";
    case ResultField::Expires:
        return "Expires";
    }
    return {};
}

ColumnSizing sizingOf(ResultField field)
{
    return field == ResultField::Expires ? ColumnSizing::FitText : ColumnSizing::Stretch;
}

std::string_view cellText(const ResultRow& row, int column)
{
    return column == 0 ? row.Caption() : row.SubItemOrEmpty(static_cast<std::size_t>(column - 1));
}

void setUpResultColumns(ResultTable& table)
{
    constexpr std::array<int, ResultFields.size()> Widths = {250, 200, 100};
    for (const ResultField field : ResultFields) {
        ResultColumn& column = table.AddColumn();
        column.Caption = captionOf(field);
        column.width = Widths[static_cast<std::size_t>(columnOf(field))];
    }
}

} // namespace ostrevo
