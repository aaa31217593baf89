// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// Straightforward versions of the text scans: one character at a time, a
// membership map per call, the separator skip done by re-running the scan at
// every position, and a bad-character marker search. Slow on purpose; the
// fast versions must give exactly the same answers. Shared by the tests and
// the fuzz target.

#include <algorithm>
#include <array>
#include <bitset>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string_view>

namespace ostrevo::plain {

inline std::int64_t length(std::string_view text)
{
    return std::min<std::int64_t>(static_cast<std::int64_t>(text.size()),
                                  std::numeric_limits<std::int32_t>::max());
}

inline std::int32_t toCursor(std::int64_t position)
{
    return position > std::numeric_limits<std::int32_t>::max() ? 0 : static_cast<std::int32_t>(position);
}

inline std::int64_t findSeparator(std::string_view text, std::string_view separators, std::int64_t start)
{
    const std::int64_t n = length(text);
    if (n == 0 || separators.empty() || separators.size() > 256 || start < 1 || start > n) {
        return 0;
    }
    std::bitset<256> set;
    for (const char c : separators) {
        set.set(static_cast<unsigned char>(c));
    }
    bool quoted = false;
    for (std::int64_t i = start; i <= n; ++i) {
        const char c = text[static_cast<std::size_t>(i - 1)];
        if (c == '"') {
            quoted = !quoted;
        } else if (!quoted && set.test(static_cast<unsigned char>(c))) {
            return i;
        }
    }
    return 0;
}

inline std::string_view nextToken(std::string_view text, std::string_view separators, std::int32_t& cursor)
{
    const std::int64_t n = length(text);
    if (cursor <= 0 || cursor > n || separators.empty()) {
        cursor = 0;
        return {};
    }
    std::int64_t position = cursor;
    std::int64_t found = 0;
    for (;;) {
        found = findSeparator(text, separators, position);
        if (found != position) {
            break;
        }
        ++position;
    }
    if (found == 0) {
        cursor = 0;
        return position > n ? std::string_view{}
                            : text.substr(static_cast<std::size_t>(position - 1),
                                          static_cast<std::size_t>(n - position + 1));
    }
    cursor = toCursor(found + 1);
    return text.substr(static_cast<std::size_t>(position - 1), static_cast<std::size_t>(found - position));
}

inline std::string_view fieldOf(std::string_view text, std::string_view separators, std::int32_t& cursor)
{
    const std::int64_t n = length(text);
    if (cursor <= 0 || cursor > n || separators.empty()) {
        cursor = 0;
        return {};
    }
    const std::int64_t position = cursor;
    const std::int64_t found = findSeparator(text, separators, position);
    if (found == 0) {
        cursor = 0;
        return text.substr(static_cast<std::size_t>(position - 1),
                           static_cast<std::size_t>(n - position + 1));
    }
    cursor = toCursor(found + 1);
    return text.substr(static_cast<std::size_t>(position - 1), static_cast<std::size_t>(found - position));
}

// Bad-character rule: compare from the marker's end; on a mismatch line the
// text character up with its last occurrence in the marker, moving at least
// one position.
inline std::int64_t findMarker(std::string_view text, std::string_view marker, std::int64_t start)
{
    const std::int64_t n = length(text);
    const auto m = static_cast<std::int64_t>(marker.size());
    if (n == 0 || m == 0 || m > 256 || start < 1 || start > n || start + m - 1 > n) {
        return 0;
    }
    // Distance from a character's last occurrence in the marker to the
    // marker's last character; the marker's length when it does not occur.
    std::array<std::int64_t, 256> distance;
    distance.fill(m);
    for (std::int64_t i = 0; i < m; ++i) {
        distance[static_cast<unsigned char>(marker[static_cast<std::size_t>(i)])] = m - 1 - i;
    }
    std::int64_t at = start - 1; // 0-based index of the marker's first character
    while (at + m <= n) {
        std::int64_t j = m - 1;
        while (j >= 0 && text[static_cast<std::size_t>(at + j)] == marker[static_cast<std::size_t>(j)]) {
            --j;
        }
        if (j < 0) {
            return at + 1;
        }
        const auto c = static_cast<unsigned char>(text[static_cast<std::size_t>(at + j)]);
        at += std::max<std::int64_t>(1, distance[c] - (m - 1 - j));
    }
    return 0;
}

inline std::string_view textBetween(std::string_view text, std::string_view startMarker,
                                    std::string_view endMarker, std::int32_t& cursor)
{
    const std::int64_t n = length(text);
    if (cursor <= 0 || cursor >= n || startMarker.empty() || endMarker.empty()) {
        cursor = 0;
        return {};
    }
    const std::int64_t startAt = findMarker(text, startMarker, cursor);
    if (startAt == 0) {
        cursor = 0;
        return {};
    }
    const std::int64_t inner = startAt + static_cast<std::int64_t>(startMarker.size());
    const std::int64_t endAt = findMarker(text, endMarker, inner);
    if (endAt == 0) {
        cursor = 0;
        return {};
    }
    cursor = toCursor(endAt + static_cast<std::int64_t>(endMarker.size()));
    return text.substr(static_cast<std::size_t>(inner - 1), static_cast<std::size_t>(endAt - inner));
}

} // namespace ostrevo::plain
