// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// The data files the program ships (the engine catalogue, the RDAP server
// list), found where the window and the commands alike look for them: in the
// current folder, else a per-user copy of the shipped file.

#include "rechercheweb/cataloguelocation.h"

#include <filesystem>
#include <string_view>

namespace ostrevo {

// Where `fileName` is read and where its update writes it. Throws
// RuntimeError when the per-user copy cannot be made.
CatalogueLocation shippedFileLocation(std::string_view fileName);

// The file itself: `shippedFileLocation(fileName).readFolder / fileName`.
std::filesystem::path shippedFile(std::string_view fileName);

// The per-user data folder (where copies and journals live).
std::filesystem::path userDataPath();

} // namespace ostrevo
