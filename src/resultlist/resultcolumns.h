// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// The result table's three columns, as every window, file and test knows
// them: the one place that says which column holds what.

#include "resultlist/columnfitting.h"

#include <array>
#include <cstddef>
#include <string_view>

namespace ostrevo {

class ResultRow;
class ResultTable;

// In the order the columns stand: the site is a row's caption, the others
// its sub-items.
enum class ResultField { Site, Email, Expires };

inline constexpr std::array<ResultField, 3> ResultFields{ResultField::Site, ResultField::Email,
                                                         ResultField::Expires};

// The field's column in the table, the view and every file.
constexpr int columnOf(ResultField field)
{
    return static_cast<int>(field);
}

// The sub-item holding the field; the site has none, being the caption.
constexpr std::size_t subItemOf(ResultField field)
{
    return static_cast<std::size_t>(field) - 1;
}

// "Web sites", "Email", "Expires".
std::string_view captionOf(ResultField field);

// How the field's column shares the list's width: sites and addresses
// stretch, the date fits its text.
ColumnSizing sizingOf(ResultField field);

// The text in column `column` of the row: its caption, or a sub-item (empty
// when the row has fewer).
std::string_view cellText(const ResultRow& row, int column);

inline std::string_view fieldText(const ResultRow& row, ResultField field)
{
    return cellText(row, columnOf(field));
}

// Adds the three columns with their captions and widths.
void setUpResultColumns(ResultTable& table);

} // namespace ostrevo
