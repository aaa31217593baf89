// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// Rows a lookup run finds, kept on disk as they come so that a crash, a kill
// or a power cut does not take them along: one delimited record per row,
// handed to the system at once and forced to the disk at most once a second.

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

namespace ostrevo {

class RowJournal {
public:
    explicit RowJournal(std::filesystem::path file);
    ~RowJournal();
    RowJournal(const RowJournal&) = delete;
    RowJournal& operator=(const RowJournal&) = delete;

    const std::filesystem::path& file() const { return m_file; }

    // Appends one row (its caption, then its sub-items). A journal that cannot
    // be written stays silent: the row is in the table all the same.
    void append(const std::vector<std::string>& fields);
    // Forces rows appended since the last sync to the disk. Called a second
    // after an append that was not synced, so that the last rows of a burst
    // do not wait for the next one.
    void syncIfBehind();
    // Deletes the file: its rows are saved, or no longer wanted.
    void remove();

private:
    void close();

    std::filesystem::path m_file;
    int m_fd = -1;
    std::chrono::steady_clock::time_point m_lastSync{};
    bool m_behind = false; // rows written since the last sync
};

// The complete rows of a journal left behind; a row cut short by the end of
// the program is dropped. Nothing when there is no journal.
std::vector<std::vector<std::string>> readRowJournal(const std::filesystem::path& file);

} // namespace ostrevo
