// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// Sheet names as the file gives them, made fit for a list the user picks from.

#include "spreadsheet/spreadsheetserver.h"

#include <cstddef>
#include <string>
#include <vector>

namespace ostrevo {

// The most characters a listed name keeps; a longer one is cut and ends in "…".
inline constexpr std::size_t kMaxSheetNameCharacters = 64;

// One name per sheet, all different: control and direction-changing
// characters become spaces, malformed UTF-8 becomes U+FFFD, blanks at the ends
// go, a long name is cut, and a missing or repeated one gets "Sheet <n>" or
// " (<n>)", n its place in `sheets` from 1.
std::vector<std::string> SheetDisplayNames(const std::vector<WorksheetSummary>& sheets);

} // namespace ostrevo
