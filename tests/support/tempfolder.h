// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// A scratch folder per test, a current directory that is put back, and
// whole-file reads and writes: plain C++, for every test, with or without Qt.

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <string_view>
#include <system_error>

namespace ostrevo::test {

// Made fresh, removed afterwards (write bits put back first, for tests that
// take them away).
class TempFolder {
public:
    TempFolder()
    {
        std::random_device seed;
        m_path = std::filesystem::temp_directory_path() / ("ostrevo-test-" + std::to_string(seed()));
        std::filesystem::create_directories(m_path);
    }
    ~TempFolder()
    {
        std::error_code ec;
        std::filesystem::permissions(m_path, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(m_path, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    std::filesystem::path file(const std::string& name) const { return m_path / name; }
    std::filesystem::path operator/(const std::string& name) const { return m_path / name; }

    // Writes `content` to `name`, making the folders on the way.
    std::filesystem::path write(const std::string& name, std::string_view content) const;

private:
    std::filesystem::path m_path;
};

// The current directory while it lives; the previous one again afterwards.
class CurrentDirectory {
public:
    explicit CurrentDirectory(const std::filesystem::path& path) : m_previous(std::filesystem::current_path())
    {
        std::filesystem::current_path(path);
    }
    ~CurrentDirectory()
    {
        std::error_code ec;
        std::filesystem::current_path(m_previous, ec);
    }
    CurrentDirectory(const CurrentDirectory&) = delete;
    CurrentDirectory& operator=(const CurrentDirectory&) = delete;

private:
    std::filesystem::path m_previous;
};

inline void writeFile(const std::filesystem::path& file, std::string_view content)
{
    std::ofstream(file, std::ios::binary | std::ios::trunc)
        .write(content.data(), static_cast<std::streamsize>(content.size()));
}

// The file's bytes; empty when it cannot be read.
inline std::string readFile(const std::filesystem::path& file)
{
    std::string content;
    if (std::FILE* in = std::fopen(file.c_str(), "rb")) {
        char buffer[65536];
        for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, in)) > 0;) {
            content.append(buffer, got);
        }
        std::fclose(in);
    }
    return content;
}

inline std::filesystem::path TempFolder::write(const std::string& name, std::string_view content) const
{
    const auto target = m_path / name;
    std::filesystem::create_directories(target.parent_path());
    writeFile(target, content);
    return target;
}

} // namespace ostrevo::test
