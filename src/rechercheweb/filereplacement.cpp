// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "rechercheweb/filereplacement.h"

#include "platform/errors.h"

#include <cstdio>
#include <random>
#include <string>
#include <system_error>

namespace ostrevo {
namespace {

constexpr int MaxNameAttempts = 16;

std::filesystem::path temporarySibling(const std::filesystem::path& path, std::mt19937_64& random)
{
    std::filesystem::path name = path;
    name += ".tmp-" + std::to_string(random() % 1000000000U);
    return name;
}

// Creates a file that did not exist ("x": never reuse someone else's file).
std::FILE* createNew(const std::filesystem::path& path, std::filesystem::path& created)
{
    std::random_device seed;
    std::mt19937_64 random(seed());
    for (int attempt = 0; attempt < MaxNameAttempts; ++attempt) {
        created = temporarySibling(path, random);
        if (std::FILE* file = std::fopen(created.c_str(), "wbx")) {
            return file;
        }
    }
    return nullptr;
}

} // namespace

void replaceFile(const std::filesystem::path& path, std::string_view content)
{
    std::filesystem::path temporary;
    std::FILE* file = createNew(path, temporary);
    if (file == nullptr) {
        throw FileCreateError(path.string());
    }
    bool written = std::fwrite(content.data(), 1, content.size(), file) == content.size();
    written = std::fflush(file) == 0 && written;
    written = std::fclose(file) == 0 && written;

    std::error_code ec;
    if (written) {
        const auto old = std::filesystem::status(path, ec);
        if (!ec && std::filesystem::exists(old)) {
            std::filesystem::permissions(temporary, old.permissions(), ec);
        }
        ec.clear();
        std::filesystem::rename(temporary, path, ec);
    }
    if (!written || ec) {
        std::filesystem::remove(temporary, ec);
        throw FileCreateError(path.string());
    }
}

} // namespace ostrevo
