// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "platform/replacingfile.h"

#include "platform/errors.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <random>

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

} // namespace

ReplacingFile::ReplacingFile(const fs::path& target) : m_target(target), m_name(target.string())
{
    std::error_code ec;
    if (fs::is_symlink(target, ec)) {
        const fs::path resolved = fs::canonical(target, ec);
        if (!ec) {
            m_target = resolved;
        }
    }
    const fs::path folder = m_target.parent_path();
    const std::string base = "." + m_target.filename().string();
    int error = 0;
    for (int attempt = 0; attempt < 32 && m_file == nullptr; ++attempt) {
        char suffix[32];
        std::snprintf(suffix, sizeof suffix, ".%016llx.tmp", static_cast<unsigned long long>(uniqueNumber()));
        m_temp = folder / (base + suffix);
        errno = 0;
        m_file = std::fopen(m_temp.c_str(), "wbx"); // x: never reuse an existing file
        error = errno;
        if (m_file == nullptr && error != EEXIST) {
            break;
        }
    }
    if (m_file == nullptr) {
        throw FileCreateError(m_name + ": " + reason(error != 0 ? error : EEXIST));
    }
    // A replaced file keeps its permissions.
    const fs::file_status old = fs::status(m_target, ec);
    if (!ec && fs::is_regular_file(old)) {
        fs::permissions(m_temp, old.permissions(), ec);
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
}

void replaceFile(const fs::path& target, std::string_view content)
{
    ReplacingFile file(target);
    file.write(content);
    file.commit();
}

} // namespace ostrevo
