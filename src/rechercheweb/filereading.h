// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// Whole-file reads with the errors the commands report.

#include <filesystem>
#include <string>

namespace ostrevo {

// For files read as text files line by line: a missing file raises
// FileNotFoundError ("File not found"), any other failure FileOpenError.
std::string readTextFile(const std::filesystem::path& path);

// For files loaded as a whole: any failure raises FileOpenError
// ("Cannot open file <path>").
std::string readWholeFile(const std::filesystem::path& path);

} // namespace ostrevo
