// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// A "spreadsheet" that is delimited text: the program saves its results as
// delimited text whatever extension the user picks, so a file named .xls may
// well be one of those.

#include "spreadsheet/spreadsheetcontents.h"

#include <filesystem>
#include <string_view>

namespace ostrevo {

// One row per line and one column per field, split as the result file reader
// splits them (the same delimiter detection, quoting and line ends). A UTF-8
// byte order mark is skipped. Throws EResultListError naming `fileName` for
// data that is not text (see looksLikeText) or more lines or fields than a sheet has
// rows or columns.
SheetContents ReadDelimitedSheet(std::string_view data, const std::filesystem::path& fileName);

} // namespace ostrevo
