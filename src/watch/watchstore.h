// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// The watch list and every check's outcome, in an SQLite database any SQLite
// tool can open: WAL mode, each check one transaction, so that a crash or a
// kill keeps every check written before it. A file SQLite finds damaged is
// moved aside and a new one started; recoveryMessage() tells the user where
// the old one went.

#include "watch/watchrules.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

struct sqlite3;

namespace ostrevo {

struct WatchedDomain {
    std::string name;
    std::optional<WatchFinding> finding; // nothing until the first answer
    std::string dropAssumed;             // the stages the drop estimate assumed
    WallTime lastChecked = 0;            // the last attempt, answered or not; 0: never
    WallTime nextCheck = 0;
    int missed = 0; // attempts in a row that got no answer
};

struct WatchHistoryLine {
    WallTime at = 0;
    std::string text;
};

// One answered check, written in one transaction with its notices.
struct WatchCheck {
    std::string name;
    WallTime at = 0;
    WatchFinding finding;
    std::string dropAssumed;
    std::vector<std::string> statusWords;
    std::vector<WatchNotice> notices;
    WallTime nextCheck = 0;
};

class WatchStore {
public:
    // Opens or creates the database; throws RuntimeError when the file cannot
    // be used at all (not a regular file, no permission).
    explicit WatchStore(std::filesystem::path file);
    ~WatchStore();
    WatchStore(const WatchStore&) = delete;
    WatchStore& operator=(const WatchStore&) = delete;

    const std::filesystem::path& file() const { return m_file; }
    // Empty unless a damaged file was moved aside on opening.
    const std::string& recoveryMessage() const { return m_recoveryMessage; }

    // False when the name is no watchable domain or is watched already.
    bool add(const std::string& name, WallTime now);
    void remove(const std::string& name);
    std::vector<WatchedDomain> domains() const;
    std::optional<WatchedDomain> domain(const std::string& name) const;
    // Names whose next check has come, soonest first.
    std::vector<std::string> due(WallTime now) const;
    void setNextCheck(const std::string& name, WallTime at);

    void recordCheck(const WatchCheck& check);
    // An attempt without an answer: counted, and tried again at `nextCheck`.
    void recordMissed(const std::string& name, WallTime at, WallTime nextCheck);

    // What happened to a domain, oldest first: its checks and notices.
    std::vector<WatchHistoryLine> history(const std::string& name) const;
    // The latest notices of every domain, oldest first.
    std::vector<WatchHistoryLine> recentNotices(int limit) const;

private:
    void open();
    void setUp();
    void moveAside();
    void close() noexcept;

    std::filesystem::path m_file;
    sqlite3* m_db = nullptr;
    std::string m_recoveryMessage;
};

} // namespace ostrevo
