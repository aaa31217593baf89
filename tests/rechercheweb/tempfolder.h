// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// A fresh folder under the system's temporary folder, removed with its
// contents when the test ends.

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <string_view>

namespace ostrevo::test {

class TempFolder {
public:
    TempFolder()
    {
        std::random_device seed;
        m_path = std::filesystem::temp_directory_path() / ("ostrevo-links-" + std::to_string(seed()));
        std::filesystem::create_directories(m_path);
    }
    ~TempFolder()
    {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return m_path; }

    std::filesystem::path write(const std::string& name, std::string_view content) const
    {
        const auto file = m_path / name;
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary)
            .write(content.data(), static_cast<std::streamsize>(content.size()));
        return file;
    }

    static std::string read(const std::filesystem::path& file)
    {
        std::string content;
        if (std::FILE* in = std::fopen(file.c_str(), "rb")) {
            char buffer[4096];
            for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, in)) > 0;) {
                content.append(buffer, got);
            }
            std::fclose(in);
        }
        return content;
    }

private:
    std::filesystem::path m_path;
};

} // namespace ostrevo::test
