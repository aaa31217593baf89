// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// Why a workbook cannot be imported. The readers' parts work on bytes and do
// not know the file's name; every reader runs through withImportErrors(),
// the one place that turns a reason into the import error the user sees.

#include "platform/filereading.h"

#include <filesystem>
#include <new>
#include <stdexcept>
#include <string>

namespace ostrevo {

// what() completes "Cannot import <file>: ", e.g. "the file is damaged (...)".
class UnreadableWorkbook : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// "the file is damaged (<detail>)"
inline UnreadableWorkbook DamagedWorkbook(const std::string& detail)
{
    return UnreadableWorkbook("the file is damaged (" + detail + ")");
}

// The largest file any workbook reader reads.
inline constexpr std::size_t kMaxWorkbookFileBytes = std::size_t{512} << 20;

// "Cannot import <file>: <reason>"
EResultListError importError(const std::filesystem::path& fileName, const std::string& reason);
// The reason, in the import's words, why the file itself could not be read.
std::string unreadableFileReason(const FileReadError& error);

// Runs `read`; a reason, an unreadable file or a lack of memory becomes
// "Cannot import <file>: <reason>".
template <typename Read>
auto withImportErrors(const std::filesystem::path& fileName, Read&& read) -> decltype(read())
{
    try {
        return read();
    } catch (const UnreadableWorkbook& error) {
        throw importError(fileName, error.what());
    } catch (const FileReadError& error) {
        throw importError(fileName, unreadableFileReason(error));
    } catch (const std::bad_alloc&) {
        throw importError(fileName, "there is not enough memory to read it");
    }
}

} // namespace ostrevo
