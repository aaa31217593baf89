// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// The result table's three columns, as every window, file and test knows them.

namespace ostrevo {

class ResultTable;

// Adds "Web sites", "Email" and "Expires" with their widths.
void setUpResultColumns(ResultTable& table);

} // namespace ostrevo
