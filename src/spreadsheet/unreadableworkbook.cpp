// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "spreadsheet/unreadableworkbook.h"

#include "platform/filereading.h"

namespace ostrevo {

EResultListError importError(const std::filesystem::path& fileName, const std::string& reason)
{
    return EResultListError("Cannot import " + fileName.string() + ": " + reason);
}

std::string unreadableFileReason(const FileReadError& error)
{
    switch (error.kind()) {
    case FileReadError::Kind::Folder:
        return "it is a folder";
    case FileReadError::Kind::NotRegular:
        return "it is not a regular file";
    case FileReadError::Kind::TooLarge:
        return std::string("it is ") + error.what() + ", more than a workbook can be imported from";
    case FileReadError::Kind::ReadFailed:
        return std::string("reading it failed (") + error.what() + ")";
    case FileReadError::Kind::NotFound:
    case FileReadError::Kind::CannotOpen:
        break;
    }
    return std::string("the file cannot be opened (") + error.what() + ")";
}

} // namespace ostrevo
