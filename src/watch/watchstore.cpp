// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "watch/watchstore.h"

#include "platform/errors.h"

#include <sqlite3.h>

#include <ctime>
#include <system_error>
#include <utility>

namespace ostrevo {

namespace {

constexpr int SchemaVersion = 1;
// The window and a scheduled --check-watch may write at the same time.
constexpr int BusyTimeoutMs = 10'000;
// The history window shows a domain's latest lines; older ones stay in the file.
constexpr int MaxHistoryLines = 1000;

const char* const Schema = R"(
CREATE TABLE IF NOT EXISTS domains(
  name TEXT PRIMARY KEY,
  added INTEGER NOT NULL,
  state TEXT NOT NULL DEFAULT '',
  expires TEXT NOT NULL DEFAULT '',
  drops TEXT NOT NULL DEFAULT '',
  drop_assumed TEXT NOT NULL DEFAULT '',
  last_checked INTEGER NOT NULL DEFAULT 0,
  next_check INTEGER NOT NULL DEFAULT 0,
  missed INTEGER NOT NULL DEFAULT 0);
CREATE TABLE IF NOT EXISTS checks(
  id INTEGER PRIMARY KEY,
  name TEXT NOT NULL,
  at INTEGER NOT NULL,
  answered INTEGER NOT NULL,
  state TEXT NOT NULL DEFAULT '',
  expires TEXT NOT NULL DEFAULT '',
  status_words TEXT NOT NULL DEFAULT '');
CREATE INDEX IF NOT EXISTS checks_by_name ON checks(name, at);
CREATE TABLE IF NOT EXISTS notices(
  id INTEGER PRIMARY KEY,
  name TEXT NOT NULL,
  at INTEGER NOT NULL,
  text TEXT NOT NULL);
CREATE INDEX IF NOT EXISTS notices_by_name ON notices(name, at);
)";

// SQLite's answer that the file is not a database, or a broken one.
class DamagedDatabase : public RuntimeError {
public:
    using RuntimeError::RuntimeError;
};

[[noreturn]] void fail(sqlite3* db, int code, const std::string& what)
{
    const std::string message = what + ": " + (db != nullptr ? sqlite3_errmsg(db) : sqlite3_errstr(code));
    const int primary = code & 0xff;
    if (primary == SQLITE_NOTADB || primary == SQLITE_CORRUPT) {
        throw DamagedDatabase(message);
    }
    throw RuntimeError(message);
}

class Statement {
public:
    Statement(sqlite3* db, const char* sql) : m_db(db)
    {
        const int code = sqlite3_prepare_v2(db, sql, -1, &m_statement, nullptr);
        if (code != SQLITE_OK) {
            fail(db, code, "The watch list database cannot be read");
        }
    }
    ~Statement() { sqlite3_finalize(m_statement); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    Statement& bind(int index, const std::string& text)
    {
        sqlite3_bind_text(m_statement, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
        return *this;
    }
    Statement& bind(int index, std::int64_t value)
    {
        sqlite3_bind_int64(m_statement, index, value);
        return *this;
    }
    // True while there is a row to read.
    bool step()
    {
        const int code = sqlite3_step(m_statement);
        if (code == SQLITE_ROW) {
            return true;
        }
        if (code != SQLITE_DONE) {
            fail(m_db, code, "The watch list database cannot be written");
        }
        return false;
    }
    std::string text(int column) const
    {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(m_statement, column));
        return text != nullptr
                   ? std::string(text, static_cast<std::size_t>(sqlite3_column_bytes(m_statement, column)))
                   : std::string();
    }
    std::int64_t integer(int column) const { return sqlite3_column_int64(m_statement, column); }

private:
    sqlite3* m_db;
    sqlite3_stmt* m_statement = nullptr;
};

void execute(sqlite3* db, const char* sql)
{
    const int code = sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
    if (code != SQLITE_OK) {
        fail(db, code, "The watch list database cannot be written");
    }
}

// Rolls back unless committed: an exception halfway leaves the file as it was.
class Transaction {
public:
    explicit Transaction(sqlite3* db) : m_db(db) { execute(db, "BEGIN IMMEDIATE"); }
    ~Transaction()
    {
        if (m_db != nullptr) {
            sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
        }
    }
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void commit() { execute(std::exchange(m_db, nullptr), "COMMIT"); }

private:
    sqlite3* m_db;
};

std::string joined(const std::vector<std::string>& words)
{
    std::string text;
    for (const std::string& word : words) {
        text += (text.empty() ? "" : ", ") + word;
    }
    return text;
}

const char* const DomainColumns =
    "SELECT name, state, expires, drops, drop_assumed, last_checked, next_check, missed FROM domains";

WatchedDomain domainOfRow(const Statement& row)
{
    WatchedDomain domain;
    domain.name = row.text(0);
    const std::string state = row.text(1);
    if (!state.empty()) {
        domain.finding = WatchFinding{stateOfText(state), row.text(2), row.text(3)};
    }
    domain.dropAssumed = row.text(4);
    domain.lastChecked = row.integer(5);
    domain.nextCheck = row.integer(6);
    domain.missed = static_cast<int>(row.integer(7));
    return domain;
}

std::string timeStamp()
{
    const std::time_t now = std::time(nullptr);
    std::tm parts{};
    gmtime_r(&now, &parts);
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &parts);
    return text;
}

} // namespace

WatchStore::WatchStore(std::filesystem::path file) : m_file(std::move(file))
{
    try {
        open();
        setUp();
    } catch (const DamagedDatabase&) {
        close();
        moveAside();
        open();
        setUp();
    } catch (...) {
        close();
        throw;
    }
}

WatchStore::~WatchStore()
{
    close();
}

void WatchStore::open()
{
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::symlink_status(m_file, error);
    if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status)) {
        throw RuntimeError("The watch list " + m_file.string() + " is not a regular file: move it away.");
    }
    std::filesystem::create_directories(m_file.parent_path(), error);
    const int code = sqlite3_open_v2(
        m_file.c_str(), &m_db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOFOLLOW, nullptr);
    if (code != SQLITE_OK) {
        const std::string message = "The watch list " + m_file.string() + " cannot be opened: " +
                                    (m_db != nullptr ? sqlite3_errmsg(m_db) : sqlite3_errstr(code));
        close();
        throw RuntimeError(message);
    }
    sqlite3_busy_timeout(m_db, BusyTimeoutMs);
}

void WatchStore::setUp()
{
    std::int64_t existing = 0;
    {
        Statement version(m_db, "PRAGMA user_version");
        existing = version.step() ? version.integer(0) : 0;
    }
    if (existing > SchemaVersion) {
        throw RuntimeError("The watch list " + m_file.string() +
                           " comes from a newer version of the program.");
    }
    {
        Statement check(m_db, "PRAGMA quick_check");
        if (!check.step() || check.text(0) != "ok") {
            throw DamagedDatabase("The watch list database is damaged");
        }
    }
    execute(m_db, "PRAGMA journal_mode=WAL");
    // Each check is worth keeping through a power cut; there are few of them.
    execute(m_db, "PRAGMA synchronous=FULL");
    execute(m_db, Schema);
    execute(m_db, ("PRAGMA user_version=" + std::to_string(SchemaVersion)).c_str());
}

void WatchStore::moveAside()
{
    std::filesystem::path aside = m_file;
    aside += ".damaged-" + timeStamp();
    std::error_code error;
    for (int n = 2; std::filesystem::exists(aside, error) && n < 100; ++n) {
        aside = m_file;
        aside += ".damaged-" + timeStamp() + "-" + std::to_string(n);
    }
    std::filesystem::rename(m_file, aside, error);
    if (error) {
        throw RuntimeError("The watch list " + m_file.string() +
                           " is damaged and cannot be moved aside: " + error.message());
    }
    // The write-ahead log belongs to the damaged file; the shared index is rebuilt.
    std::filesystem::path wal = m_file;
    wal += "-wal";
    std::filesystem::path walAside = aside;
    walAside += "-wal";
    std::filesystem::rename(wal, walAside, error);
    std::filesystem::path shm = m_file;
    shm += "-shm";
    std::filesystem::remove(shm, error);
    m_recoveryMessage = "The watch list " + m_file.string() + " was damaged. It was moved to " +
                        aside.string() + " and a new, empty watch list was started.";
}

void WatchStore::close() noexcept
{
    if (m_db != nullptr) {
        sqlite3_close_v2(m_db);
        m_db = nullptr;
    }
}

bool WatchStore::add(const std::string& name, WallTime now)
{
    const std::string domain = watchableDomain(name);
    if (domain.empty()) {
        return false;
    }
    Statement insert(m_db, "INSERT OR IGNORE INTO domains(name, added, next_check) VALUES(?, ?, ?)");
    insert.bind(1, domain).bind(2, now).bind(3, now).step();
    return sqlite3_changes(m_db) > 0;
}

void WatchStore::remove(const std::string& name)
{
    Transaction transaction(m_db);
    for (const char* sql : {"DELETE FROM domains WHERE name = ?", "DELETE FROM checks WHERE name = ?",
                            "DELETE FROM notices WHERE name = ?"}) {
        Statement(m_db, sql).bind(1, name).step();
    }
    transaction.commit();
}

std::vector<WatchedDomain> WatchStore::domains() const
{
    Statement rows(m_db, (std::string(DomainColumns) + " ORDER BY name").c_str());
    std::vector<WatchedDomain> list;
    while (rows.step()) {
        list.push_back(domainOfRow(rows));
    }
    return list;
}

std::optional<WatchedDomain> WatchStore::domain(const std::string& name) const
{
    Statement row(m_db, (std::string(DomainColumns) + " WHERE name = ?").c_str());
    row.bind(1, name);
    if (!row.step()) {
        return std::nullopt;
    }
    return domainOfRow(row);
}

std::vector<std::string> WatchStore::due(WallTime now) const
{
    Statement rows(m_db, "SELECT name FROM domains WHERE next_check <= ? ORDER BY next_check, name");
    rows.bind(1, now);
    std::vector<std::string> names;
    while (rows.step()) {
        names.push_back(rows.text(0));
    }
    return names;
}

void WatchStore::setNextCheck(const std::string& name, WallTime at)
{
    Statement(m_db, "UPDATE domains SET next_check = ? WHERE name = ?").bind(1, at).bind(2, name).step();
}

void WatchStore::recordCheck(const WatchCheck& check)
{
    Transaction transaction(m_db);
    Statement update(m_db, "UPDATE domains SET state = ?, expires = ?, drops = ?, drop_assumed = ?, "
                           "last_checked = ?, next_check = ?, missed = 0 WHERE name = ?");
    update.bind(1, std::string(stateText(check.finding.state)))
        .bind(2, check.finding.expires)
        .bind(3, check.finding.drops)
        .bind(4, check.dropAssumed)
        .bind(5, check.at)
        .bind(6, check.nextCheck)
        .bind(7, check.name)
        .step();
    if (sqlite3_changes(m_db) == 0) {
        // Removed while its check was under way: nothing to keep.
        return;
    }
    Statement(m_db,
              "INSERT INTO checks(name, at, answered, state, expires, status_words) VALUES(?, ?, 1, ?, ?, ?)")
        .bind(1, check.name)
        .bind(2, check.at)
        .bind(3, std::string(stateText(check.finding.state)))
        .bind(4, check.finding.expires)
        .bind(5, joined(check.statusWords))
        .step();
    for (const WatchNotice& notice : check.notices) {
        Statement(m_db, "INSERT INTO notices(name, at, text) VALUES(?, ?, ?)")
            .bind(1, check.name)
            .bind(2, check.at)
            .bind(3, notice.text)
            .step();
    }
    transaction.commit();
}

void WatchStore::recordMissed(const std::string& name, WallTime at, WallTime nextCheck)
{
    Transaction transaction(m_db);
    Statement(m_db, "UPDATE domains SET last_checked = ?, next_check = ?, missed = missed + 1 WHERE name = ?")
        .bind(1, at)
        .bind(2, nextCheck)
        .bind(3, name)
        .step();
    if (sqlite3_changes(m_db) == 0) {
        return;
    }
    Statement(m_db, "INSERT INTO checks(name, at, answered) VALUES(?, ?, 0)")
        .bind(1, name)
        .bind(2, at)
        .step();
    transaction.commit();
}

std::vector<WatchHistoryLine> WatchStore::history(const std::string& name) const
{
    Statement rows(m_db,
                   "SELECT at, text FROM ("
                   " SELECT at, id, 1 AS kind, CASE answered WHEN 0 THEN 'no answer' ELSE"
                   "  state || CASE expires WHEN '' THEN '' ELSE ', expires ' || expires END END AS text"
                   " FROM checks WHERE name = ?1"
                   " UNION ALL SELECT at, id, 2, text FROM notices WHERE name = ?1"
                   " ORDER BY at DESC, kind DESC, id DESC LIMIT ?2) ORDER BY at, kind, id");
    rows.bind(1, name).bind(2, static_cast<std::int64_t>(MaxHistoryLines));
    std::vector<WatchHistoryLine> lines;
    while (rows.step()) {
        lines.push_back({rows.integer(0), rows.text(1)});
    }
    return lines;
}

std::vector<WatchHistoryLine> WatchStore::recentNotices(int limit) const
{
    Statement rows(m_db,
                   "SELECT at, text FROM (SELECT at, id, text FROM notices ORDER BY at DESC, id DESC LIMIT ?)"
                   " ORDER BY at, id");
    rows.bind(1, static_cast<std::int64_t>(limit));
    std::vector<WatchHistoryLine> lines;
    while (rows.step()) {
        lines.push_back({rows.integer(0), rows.text(1)});
    }
    return lines;
}

} // namespace ostrevo
