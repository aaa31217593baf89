// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// The one way to read a file: whole, bounded, or just its first bytes. Each
// caller turns a failure into the message of its own command.

#include "platform/errors.h"

#include <cstddef>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

namespace ostrevo {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// A file that could not be read; what() is the system's reason, e.g. "No such
// file or directory", or "larger than 512 MiB" for a file over the limit.
class FileReadError : public RuntimeError {
public:
    enum class Kind { NotFound, Folder, NotRegular, CannotOpen, TooLarge, ReadFailed };
    FileReadError(Kind kind, const std::string& reason) : RuntimeError(reason), m_kind(kind) {}
    Kind kind() const { return m_kind; }

private:
    Kind m_kind;
};

// Opens a regular file for reading in binary; throws FileReadError when it
// cannot, or when the path names a folder, a FIFO, a device or (with
// `followLinks` off) a symbolic link. Opening never blocks: a FIFO without a
// writer would hold the window thread for ever.
enum class FollowLinks { Yes, No };
FilePtr openForReading(const std::filesystem::path& path, FollowLinks followLinks = FollowLinks::Yes);

// The whole file, refusing one of more than maxBytes.
std::string readWholeFile(const std::filesystem::path& path, std::size_t maxBytes,
                          FollowLinks followLinks = FollowLinks::Yes);

// readWholeFile with the errors the list and catalogue commands show: a
// missing file is FileNotFoundError ("File not found") where the command says
// so, any other failure FileOpenError ("Cannot open file <path>").
enum class MissingFileIs { FileNotFound, CannotOpen };
std::string readFileForCommand(const std::filesystem::path& path, std::size_t maxBytes,
                               MissingFileIs missing);

// Up to `count` bytes from the start: what a file is, before it is read.
std::string readFileHead(const std::filesystem::path& path, std::size_t count);

} // namespace ostrevo
