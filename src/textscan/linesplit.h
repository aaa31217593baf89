// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// The two ways the program cuts a text into lines.

#include <string>
#include <string_view>
#include <vector>

namespace ostrevo {

// Reading a text file line by line, whichever program wrote it: a line ends
// at CR LF, LF or a lone CR, and empty lines count; Ctrl-Z (26) ends the
// file. A last line without a line end counts when it is not empty.
std::vector<std::string> textFileLines(std::string_view content);

// Splitting a text held as a whole: a line ends at CR, at LF or at CR LF.
// A last line without line end counts when it is not empty. Zero bytes are
// ordinary characters.
std::vector<std::string> splitLines(std::string_view text);

} // namespace ostrevo
