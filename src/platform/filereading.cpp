// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "platform/filereading.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

FilePtr openForReading(const std::filesystem::path& path, FollowLinks followLinks)
{
    const int flags =
        O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY | (followLinks == FollowLinks::No ? O_NOFOLLOW : 0);
    const int fd = ::open(path.c_str(), flags);
    if (fd < 0) {
        const int error = errno;
        if (error == ELOOP && followLinks == FollowLinks::No) {
            throw FileReadError(FileReadError::Kind::NotRegular, "it is a symbolic link");
        }
        throw systemError(error == ENOENT ? FileReadError::Kind::NotFound : FileReadError::Kind::CannotOpen,
                          error);
    }
    // Checked on what was opened, not on the name, which may change meanwhile.
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        const bool folder = S_ISDIR(info.st_mode);
        ::close(fd);
        throw FileReadError(folder ? FileReadError::Kind::Folder : FileReadError::Kind::NotRegular,
                            folder ? "it is a folder" : "it is not a regular file");
    }
    // Reads of a regular file block as usual.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    FilePtr file(::fdopen(fd, "rb"));
    if (!file) {
        const int error = errno;
        ::close(fd);
        throw systemError(FileReadError::Kind::CannotOpen, error);
    }
    return file;
}

std::string readWholeFile(const std::filesystem::path& path, std::size_t maxBytes, FollowLinks followLinks)
{
    const FilePtr file = openForReading(path, followLinks);
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
