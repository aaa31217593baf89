// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// The result list's per-cell hook that colours each row's "Expires" cell by
// the years left until its expiry year, with the text readable on it.

#include "resultlist/tresultlistview.h"

#include <functional>

namespace ostrevo {

class ResultTable;

// The current year of the local date.
int localCurrentYear();

// Colours the cell if it is the "Expires" one (sub-item 1), reading the row's
// expiry text from the table. A year that is not a number leaves the cell as
// it is.
void colourExpiryCell(const ResultTable& table, int itemindex, int subitemindex, QBrush& brush,
                      CellFont& font, int currentYear);

// The hook for TResultListView::OnDrawItemProp; asks for the year on every cell.
TDrawItemProp expiryColouring(std::function<int()> currentYear = &localCurrentYear);

} // namespace ostrevo
