// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// Where the engine catalogue is read and where an update writes it. The
// program reads listex.txt from its current folder; an installed program
// started from a menu runs in the home folder, where there is none, so it
// works from a per-user copy of the catalogue it ships instead.

#include "rechercheweb/catalogue.h"

#include <filesystem>
#include <string_view>
#include <vector>

namespace ostrevo {

struct CatalogueLocation {
    std::filesystem::path readFolder;   // becomes the current folder
    std::filesystem::path updateFolder; // where an update writes listex.txt: the same folder
};

// `shippedCatalogues` are the places a shipped catalogue may be, best first.
// Copies the first existing one into `userDataFolder` when the current folder
// has no catalogue and the user has no copy yet. Throws RuntimeError when the
// copy cannot be made.
// The RDAP server list is placed the same way: `fileName` names the file.
CatalogueLocation chooseCatalogueLocation(const std::filesystem::path& currentFolder,
                                          const std::filesystem::path& executableFolder,
                                          const std::filesystem::path& userDataFolder,
                                          const std::vector<std::filesystem::path>& shippedCatalogues,
                                          std::string_view fileName = CatalogueFileName);

} // namespace ostrevo
