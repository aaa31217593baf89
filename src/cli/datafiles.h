// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// The data files a command reads, found as the window finds them: in the
// current folder, else the per-user copy of the file the program ships.

#include <filesystem>
#include <string_view>

namespace ostrevo::cli {

// Throws RuntimeError when the per-user copy cannot be made.
std::filesystem::path dataFile(std::string_view fileName);

// The per-user data folder (where the journal of a lookup lives).
std::filesystem::path userDataPath();

} // namespace ostrevo::cli
