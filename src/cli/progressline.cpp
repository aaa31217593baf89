// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "cli/progressline.h"

#include <algorithm>
#include <cstdio>

namespace ostrevo::cli {

std::string durationText(const Duration& duration)
{
    char text[48];
    std::snprintf(text, sizeof text, "%lld:%02d:%02d", duration.hours, duration.minutes, duration.seconds);
    return text;
}

std::string lookupProgressLine(const LookupProgress& progress, std::size_t width)
{
    char rate[32] = "-";
    const std::size_t doneHere = progress.done - std::min(progress.resumed, progress.done);
    if (progress.elapsedMs > 0 && doneHere > 0) {
        std::snprintf(rate, sizeof rate, "%.1f",
                      static_cast<double>(doneHere) * 1000.0 / static_cast<double>(progress.elapsedMs));
    }
    std::string line = std::to_string(progress.done) + "/" + std::to_string(progress.total) + "  " + rate +
                       "/s  " + durationText(progress.left) + " left  " + std::to_string(progress.rows) +
                       (progress.rows == 1 ? " row  " : " rows  ") + std::to_string(progress.noAnswer) +
                       " no answer";
    // Only the host's own bytes: a name from outside never brings a control character to the terminal.
    std::string host;
    for (const char c : progress.current) {
        host.push_back(static_cast<unsigned char>(c) < 0x20 || c == 0x7f ? '?' : c);
    }
    if (!host.empty() && line.size() + 2 < width) {
        line += "  " + host.substr(0, width - line.size() - 2);
    }
    if (line.size() > width) {
        line.resize(width);
    }
    return line;
}

} // namespace ostrevo::cli
