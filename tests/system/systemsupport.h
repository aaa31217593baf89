// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// Small helpers the whole-program tests share: this process's memory (and,
// from tempfolder.h, a current directory that is put back).

#include "tempfolder.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <string_view>

namespace ostrevo::test {

// Resident memory of a process in kB, from /proc/<pid>/status; 0 when gone.
inline long residentKb(const std::string& pid = "self")
{
    std::ifstream status("/proc/" + pid + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::stol(line.substr(6));
        }
    }
    return 0;
}

inline std::string htmlPage(const std::string& body)
{
    return "<html><head><title>Page</title></head><body>" + body + "</body></html>";
}

} // namespace ostrevo::test
