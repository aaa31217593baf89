// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// Writes a file so that it either appears complete or not at all: the data
// goes to a temporary file in the target's folder, created with the old
// file's permissions, which replaces the target only on commit(), once it is
// on the disk. A symbolic link the user placed is written through to the
// file it names; one another user placed (or placed in another user's
// folder) is replaced itself. A failure at any point leaves the old file as
// it was.

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

namespace ostrevo {

class ReplacingFile {
public:
    // Throws FileCreateError naming `target` and the system's reason.
    explicit ReplacingFile(const std::filesystem::path& target);
    // Removes the temporary file unless committed.
    ~ReplacingFile();
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    // Throws RuntimeError "Cannot write file <name>: <reason>".
    void write(std::string_view data);
    // Flushes, syncs, closes and moves the data over the target, then syncs
    // the folder.
    void commit();

private:
    [[noreturn]] void failWrite(int error);

    std::filesystem::path m_target; // a symbolic link's target, so the link stays
    std::string m_name;             // as the caller gave it, for messages
    std::filesystem::path m_temp;
    std::FILE* m_file = nullptr;
    bool m_committed = false;
};

// The whole of `content` as the new `target`, through a ReplacingFile.
void replaceFile(const std::filesystem::path& target, std::string_view content);

} // namespace ostrevo
