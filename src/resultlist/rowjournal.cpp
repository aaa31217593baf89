// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "resultlist/rowjournal.h"

#include "platform/filereading.h"
#include "resultlist/delimitedformat.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

namespace ostrevo {
namespace {

constexpr char Delimiter = ',';
// A journal holds one run's rows; anything far larger is not ours.
constexpr std::uintmax_t MaxJournalBytes = 256u << 20;

} // namespace

RowJournal::RowJournal(std::filesystem::path file) : m_file(std::move(file))
{}

RowJournal::~RowJournal()
{
    close();
}

void RowJournal::close()
{
    if (m_fd >= 0) {
        ::fdatasync(m_fd);
        ::close(m_fd);
        m_fd = -1;
    }
}

void RowJournal::append(const std::vector<std::string>& fields)
{
    if (m_fd < 0) {
        std::error_code ignored;
        std::filesystem::create_directories(m_file.parent_path(), ignored);
        // The rows hold e-mail addresses: for the user's eyes only.
        // Never through a link, and only into a regular file of the user's.
        m_fd =
            ::open(m_file.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0600);
        struct stat info {};
        if (m_fd >= 0 &&
            (::fstat(m_fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != ::geteuid())) {
            ::close(m_fd);
            m_fd = -1;
        }
        if (m_fd < 0) {
            return;
        }
    }
    std::string record;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) {
            record += Delimiter;
        }
        delimited::appendField(record, fields[i], Delimiter, i + 1 == fields.size());
    }
    record += "\r\n";
    // One write per row, so that a kill leaves whole rows and at most one
    // row cut short at the end.
    std::string_view rest = record;
    while (!rest.empty()) {
        const ssize_t written = ::write(m_fd, rest.data(), rest.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return;
        }
        rest.remove_prefix(static_cast<std::size_t>(written));
    }
    m_behind = true;
    if (std::chrono::steady_clock::now() - m_lastSync >= std::chrono::seconds(1)) {
        syncIfBehind();
    }
}

void RowJournal::syncIfBehind()
{
    if (m_fd >= 0 && m_behind) {
        ::fdatasync(m_fd);
        m_lastSync = std::chrono::steady_clock::now();
        m_behind = false;
    }
}

void RowJournal::remove()
{
    close();
    std::error_code ignored;
    std::filesystem::remove(m_file, ignored);
}

std::vector<std::vector<std::string>> readRowJournal(const std::filesystem::path& file)
{
    std::vector<std::vector<std::string>> rows;
    std::string data;
    try {
        data = readWholeFile(file, MaxJournalBytes, FollowLinks::No);
    } catch (const FileReadError&) {
        return rows;
    }
    std::string_view rest = data;
    std::vector<delimited::RawField> fields;
    // Not at the end: a last record without its line end was cut short.
    for (;;) {
        const delimited::ScanResult scan = delimited::scanRecord(rest, false, Delimiter, fields);
        if (scan.status != delimited::ScanStatus::Record) {
            break;
        }
        std::vector<std::string>& row = rows.emplace_back();
        for (const delimited::RawField& field : fields) {
            row.push_back(delimited::decodeField(field));
        }
        rest.remove_prefix(scan.consumed);
    }
    return rows;
}

} // namespace ostrevo
