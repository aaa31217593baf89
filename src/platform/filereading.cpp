// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "platform/filereading.h"

#include <cerrno>
#include <cstring>
#include <system_error>

namespace ostrevo {

namespace {

FileReadError systemError(FileReadError::Kind kind, int error)
{
    return FileReadError(kind, std::strerror(error != 0 ? error : EIO));
}

std::string mebibytes(std::size_t bytes)
{
    return std::to_string(bytes >> 20) + " MiB";
}

} // namespace

FilePtr openForReading(const std::filesystem::path& path)
{
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        throw FileReadError(FileReadError::Kind::Folder, "it is a folder");
    }
    errno = 0;
    FilePtr file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        const int error = errno != 0 ? errno : ENOENT;
        throw systemError(error == ENOENT ? FileReadError::Kind::NotFound : FileReadError::Kind::CannotOpen,
                          error);
    }
    return file;
}

std::string readWholeFile(const std::filesystem::path& path, std::size_t maxBytes)
{
    const FilePtr file = openForReading(path);
    std::string content;
    char buffer[1 << 16];
    for (;;) {
        errno = 0;
        const std::size_t got = std::fread(buffer, 1, sizeof buffer, file.get());
        if (got > maxBytes - content.size()) {
            throw FileReadError(FileReadError::Kind::TooLarge, "larger than " + mebibytes(maxBytes));
        }
        content.append(buffer, got);
        if (got < sizeof buffer) {
            if (std::ferror(file.get())) {
                throw systemError(FileReadError::Kind::ReadFailed, errno);
            }
            return content;
        }
    }
}

std::string readFileForCommand(const std::filesystem::path& path, std::size_t maxBytes, MissingFileIs missing)
{
    try {
        return readWholeFile(path, maxBytes);
    } catch (const FileReadError& error) {
        if (error.kind() == FileReadError::Kind::NotFound && missing == MissingFileIs::FileNotFound) {
            throw FileNotFoundError();
        }
        throw FileOpenError(path.string());
    }
}

std::string readFileHead(const std::filesystem::path& path, std::size_t count)
{
    const FilePtr file = openForReading(path);
    std::string bytes(count, '\0');
    errno = 0;
    bytes.resize(std::fread(bytes.data(), 1, count, file.get()));
    if (std::ferror(file.get())) {
        throw systemError(FileReadError::Kind::ReadFailed, errno);
    }
    return bytes;
}

} // namespace ostrevo
