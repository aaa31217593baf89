// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "textscan/linesplit.h"

namespace ostrevo {
namespace {

constexpr char EndOfFile = 26;

} // namespace

std::vector<std::string> textFileLines(std::string_view content)
{
    if (const auto eof = content.find(EndOfFile); eof != std::string_view::npos) {
        content = content.substr(0, eof);
    }
    std::vector<std::string> lines;
    std::size_t pos = 0;
    while (pos < content.size()) {
        const std::size_t end = content.find_first_of("\r\n", pos);
        if (end == std::string_view::npos) {
            lines.emplace_back(content.substr(pos));
            break;
        }
        lines.emplace_back(content.substr(pos, end - pos));
        pos = end + 1;
        if (content[end] == '\r' && pos < content.size() && content[pos] == '\n') {
            ++pos;
        }
    }
    return lines;
}

std::vector<std::string> splitLines(std::string_view text)
{
    std::vector<std::string> lines;
    const char* p = text.data();
    const char* const end = p + text.size();
    while (p < end) {
        const char* q = p;
        while (q < end && *q != '\r' && *q != '\n') {
            ++q;
        }
        lines.emplace_back(p, q);
        if (q < end && *q == '\r') {
            ++q;
        }
        if (q < end && *q == '\n') {
            ++q;
        }
        p = q;
    }
    return lines;
}

} // namespace ostrevo
