// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "resultlist/resultcolumns.h"

#include "resultlist/resulttable.h"

#include <utility>

namespace ostrevo {

void setUpResultColumns(ResultTable& table)
{
    for (const auto& [caption, width] : {std::pair{"Web sites", 250}, {"Email", 200}, {"Expires", 100}}) {
        ResultColumn& column = table.AddColumn();
        column.Caption = caption;
        column.width = width;
    }
}

} // namespace ostrevo
