// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "rechercheweb/filereading.h"

#include "platform/errors.h"

#include <cstdio>
#include <memory>
#include <optional>
#include <system_error>

namespace ostrevo {
namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// The file's bytes, or nothing when it cannot be opened or read to its end.
std::optional<std::string> readBytes(const std::filesystem::path& path)
{
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        return std::nullopt;
    }
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        return std::nullopt;
    }
    std::string content;
    char buffer[1 << 16];
    for (;;) {
        const std::size_t got = std::fread(buffer, 1, sizeof buffer, file.get());
        content.append(buffer, got);
        if (got < sizeof buffer) {
            break;
        }
    }
    if (std::ferror(file.get())) {
        return std::nullopt;
    }
    return content;
}

} // namespace

std::string readTextFile(const std::filesystem::path& path)
{
    auto content = readBytes(path);
    if (!content) {
        std::error_code ec;
        if (!std::filesystem::exists(path, ec)) {
            throw FileNotFoundError();
        }
        throw FileOpenError(path.string());
    }
    return std::move(*content);
}

std::string readWholeFile(const std::filesystem::path& path)
{
    auto content = readBytes(path);
    if (!content) {
        throw FileOpenError(path.string());
    }
    return std::move(*content);
}

} // namespace ostrevo
