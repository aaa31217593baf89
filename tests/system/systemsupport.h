// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// Small helpers the whole-program tests share: a scratch folder, a current
// directory that is put back, whole files, and this process's memory.

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <string_view>

namespace ostrevo::test {

class ScratchFolder {
public:
    ScratchFolder()
    {
        std::random_device seed;
        m_path = std::filesystem::temp_directory_path() / ("ostrevo-system-" + std::to_string(seed()));
        std::filesystem::create_directories(m_path);
    }
    ~ScratchFolder()
    {
        std::error_code ec;
        std::filesystem::permissions(m_path, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(m_path, ec);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    std::filesystem::path operator/(const std::string& name) const { return m_path / name; }

private:
    std::filesystem::path m_path;
};

inline void writeFile(const std::filesystem::path& file, std::string_view content)
{
    std::ofstream(file, std::ios::binary).write(content.data(), static_cast<std::streamsize>(content.size()));
}

inline std::string readFile(const std::filesystem::path& file)
{
    std::string content;
    if (std::FILE* in = std::fopen(file.c_str(), "rb")) {
        char buffer[65536];
        for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, in)) > 0;)
            content.append(buffer, got);
        std::fclose(in);
    }
    return content;
}

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

// Resident memory of a process in kB, from /proc/<pid>/status; 0 when gone.
inline long residentKb(const std::string& pid = "self")
{
    std::ifstream status("/proc/" + pid + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stol(line.substr(6));
    }
    return 0;
}

inline std::string htmlPage(const std::string& body)
{
    return "<html><head><title>Page</title></head><body>" + body + "</body></html>";
}

} // namespace ostrevo::test
