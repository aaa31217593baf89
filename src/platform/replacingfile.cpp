// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "platform/replacingfile.h"

#include "platform/errors.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <random>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ostrevo {

namespace fs = std::filesystem;

namespace {

std::string reason(int error)
{
    return std::strerror(error);
}

std::uint64_t uniqueNumber()
{
    static std::atomic<std::uint64_t> counter{0};
    static const std::uint64_t seed = [] {
        try {
            std::random_device device;
            return (std::uint64_t{device()} << 32) ^ device();
        } catch (...) {
            return static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
        }
    }();
    std::mt19937_64 mix(seed + counter.fetch_add(1));
    return mix();
}

// Whether the user placed this link: it and the folder it stands in are the
// user's. Anyone may place a link in a shared folder such as /tmp, aimed at
// a file of the user's; writing through it would replace that file.
bool linkIsTheUsers(const fs::path& link)
{
    struct stat linkInfo {};
    struct stat folderInfo {};
    const fs::path folder = link.parent_path().empty() ? fs::path(".") : link.parent_path();
    return ::lstat(link.c_str(), &linkInfo) == 0 && ::stat(folder.c_str(), &folderInfo) == 0 &&
           linkInfo.st_uid == ::geteuid() && folderInfo.st_uid == ::geteuid();
}

// Where writing `path` really goes: through the user's own symbolic links (a
// chain of them, or one whose target does not exist yet) to the file they
// name, so that the links stay links. A link someone else placed is replaced
// itself, never written through.
fs::path linkTarget(fs::path path)
{
    for (int hops = 0; hops < 40; ++hops) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(path, ec)) || !linkIsTheUsers(path)) {
            break;
        }
        const fs::path next = fs::read_symlink(path, ec);
        if (ec) {
            break;
        }
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    return path;
}

// Makes a power loss after the rename keep the new name.
void syncFolder(const fs::path& folder)
{
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

ReplacingFile::ReplacingFile(const fs::path& target) : m_target(linkTarget(target)), m_name(target.string())
{
    // A replaced file keeps its permissions from the moment the new one
    // exists: owner bits only while it is written, the others once nobody
    // else can have opened it. A new file gets 0666 less the umask.
    struct stat old {};
    // lstat: a link left in place says nothing of the file it names.
    const bool replacing = ::lstat(m_target.c_str(), &old) == 0 && S_ISREG(old.st_mode);
    const mode_t createMode = replacing ? (old.st_mode & 0700) : 0666;
    const fs::path folder = m_target.parent_path();
    const std::string base = "." + m_target.filename().string();
    int error = 0;
    int fd = -1;
    for (int attempt = 0; attempt < 32 && fd < 0; ++attempt) {
        char suffix[32];
        std::snprintf(suffix, sizeof suffix, ".%016llx.tmp", static_cast<unsigned long long>(uniqueNumber()));
        m_temp = folder / (base + suffix);
        fd =
            ::open(m_temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, createMode); // never reuse a file
        error = errno;
        if (fd < 0 && error != EEXIST) {
            break;
        }
    }
    if (fd < 0) {
        throw FileCreateError(m_name + ": " + reason(error != 0 ? error : EEXIST));
    }
    if (replacing) {
        ::fchmod(fd, old.st_mode & 07777);
    }
    m_file = ::fdopen(fd, "wb");
    if (m_file == nullptr) {
        error = errno;
        ::close(fd);
        std::error_code ec;
        fs::remove(m_temp, ec);
        throw FileCreateError(m_name + ": " + reason(error != 0 ? error : EIO));
    }
}

ReplacingFile::~ReplacingFile()
{
    if (m_file != nullptr) {
        std::fclose(m_file);
    }
    if (!m_committed) {
        std::error_code ec;
        fs::remove(m_temp, ec);
    }
}

void ReplacingFile::failWrite(int error)
{
    throw RuntimeError("Cannot write file " + m_name + ": " + reason(error != 0 ? error : EIO));
}

void ReplacingFile::write(std::string_view data)
{
    errno = 0;
    if (std::fwrite(data.data(), 1, data.size(), m_file) != data.size()) {
        failWrite(errno);
    }
}

void ReplacingFile::commit()
{
    errno = 0;
    if (std::fflush(m_file) != 0) {
        failWrite(errno);
    }
    // On the disk before it takes the old file's place: a power loss must
    // not leave an empty file under the name.
    errno = 0;
    if (::fsync(::fileno(m_file)) != 0) {
        failWrite(errno);
    }
    std::FILE* file = m_file;
    m_file = nullptr;
    errno = 0;
    if (std::fclose(file) != 0) {
        failWrite(errno);
    }
    errno = 0;
    if (std::rename(m_temp.c_str(), m_target.c_str()) != 0) {
        const int error = errno;
        throw FileCreateError(m_name + ": " + reason(error != 0 ? error : EIO));
    }
    m_committed = true;
    syncFolder(m_target.parent_path());
}

void replaceFile(const fs::path& target, std::string_view content)
{
    ReplacingFile file(target);
    file.write(content);
    file.commit();
}

} // namespace ostrevo
