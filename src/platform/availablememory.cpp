// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "platform/availablememory.h"

#include <fstream>
#include <limits>
#include <string>

#include <unistd.h>

namespace ostrevo {

std::size_t loadingMemoryBudget()
{
    // MemAvailable counts the caches the system would give up; free pages
    // alone are the fallback of older kernels.
    std::ifstream meminfo("/proc/meminfo");
    for (std::string key; meminfo >> key;) {
        std::size_t kib = 0;
        if (key == "MemAvailable:" && meminfo >> kib) {
            return kib / 2 * 1024;
        }
        meminfo.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
    }
    const long pages = ::sysconf(_SC_AVPHYS_PAGES);
    const long pageSize = ::sysconf(_SC_PAGESIZE);
    if (pages <= 0 || pageSize <= 0) {
        return std::numeric_limits<std::size_t>::max();
    }
    return static_cast<std::size_t>(pages) / 2 * static_cast<std::size_t>(pageSize);
}

} // namespace ostrevo
