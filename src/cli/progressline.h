// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// The one updating line a command shows on a terminal while it works.

#include "lookup/estimate.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace ostrevo::cli {

struct LookupProgress {
    std::size_t done = 0;
    std::size_t total = 0;
    std::size_t resumed = 0; // of `done`, those an interrupted run did: not in the rate
    long long elapsedMs = 0;
    Duration left;
    std::string_view current; // the host asked last
    std::size_t rows = 0;
    std::size_t noAnswer = 0;
};

// "1200/5000  48.2/s  0:01:19 left  1180 rows  3 no answer  example.com",
// at most `width` bytes (the host is cut first, then the line).
std::string lookupProgressLine(const LookupProgress& progress, std::size_t width);

// "H:MM:SS", hours not capped.
std::string durationText(const Duration& duration);

} // namespace ostrevo::cli
