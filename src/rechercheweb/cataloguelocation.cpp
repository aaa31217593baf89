// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "rechercheweb/cataloguelocation.h"

#include "platform/errors.h"
#include "platform/filereading.h"
#include "platform/replacingfile.h"
#include "rechercheweb/catalogue.h"

#include <system_error>

namespace ostrevo {

namespace fs = std::filesystem;

namespace {

// The shipped catalogue is a few kilobytes.
constexpr std::size_t kMaxShippedBytes = std::size_t{16} << 20;

bool isFile(const fs::path& path)
{
    std::error_code error;
    return fs::is_regular_file(path, error);
}

} // namespace

CatalogueLocation chooseCatalogueLocation(const fs::path& currentFolder, const fs::path& /*executableFolder*/,
                                          const fs::path& userDataFolder,
                                          const std::vector<fs::path>& shippedCatalogues,
                                          std::string_view fileName)
{
    if (isFile(currentFolder / fileName)) {
        return {currentFolder, currentFolder}; // updated where it is read
    }

    const fs::path userCopy = userDataFolder / fileName;
    if (!isFile(userCopy)) {
        for (const fs::path& shipped : shippedCatalogues) {
            if (!isFile(shipped)) {
                continue;
            }
            std::error_code error;
            fs::create_directories(userDataFolder, error);
            if (error) {
                throw FileCreateError(userCopy.string() + ": " + error.message());
            }
            replaceFile(userCopy, readFileForCommand(shipped, kMaxShippedBytes, MissingFileIs::CannotOpen));
            break;
        }
    }
    // Without any catalogue the user's folder is still the place an update can write.
    return {userDataFolder, userDataFolder};
}

} // namespace ostrevo
