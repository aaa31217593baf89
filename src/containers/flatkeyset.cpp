// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "containers/flatkeyset.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <functional>

namespace ostrevo::detail {
namespace {

constexpr std::size_t MinCapacity = 16;

} // namespace

std::uint64_t FlatKeySet::hashOf(std::string_view key)
{
    return std::hash<std::string_view>{}(key);
}

std::ptrdiff_t FlatKeySet::probe(std::string_view key, std::uint64_t hash, bool forInsert) const
{
    if (m_cells.empty()) {
        return -1;
    }
    const std::size_t mask = m_cells.size() - 1;
    std::ptrdiff_t firstErased = -1;
    for (std::size_t i = hash & mask, steps = 0; steps < m_cells.size(); i = (i + 1) & mask, ++steps) {
        const Cell& cell = m_cells[i];
        if (cell.state == State::Empty) {
            return forInsert && firstErased >= 0 ? firstErased : static_cast<std::ptrdiff_t>(i);
        }
        if (cell.state == State::Erased) {
            if (firstErased < 0) {
                firstErased = static_cast<std::ptrdiff_t>(i);
            }
            continue;
        }
        if (cell.hash == hash && cell.size == key.size() &&
            (key.empty() || std::memcmp(cell.data, key.data(), key.size()) == 0)) {
            return static_cast<std::ptrdiff_t>(i);
        }
    }
    return forInsert ? firstErased : -1;
}

bool FlatKeySet::contains(std::string_view key) const
{
    const std::ptrdiff_t at = probe(key, hashOf(key), false);
    return at >= 0 && m_cells[static_cast<std::size_t>(at)].state == State::Live;
}

bool FlatKeySet::insert(std::string_view key)
{
    if ((m_used + 1) * 2 > m_cells.size()) {
        rehash(std::max(MinCapacity, std::bit_ceil((m_live + 1) * 4)));
    }
    const std::uint64_t hash = hashOf(key);
    // Look for an equal key first: an erased cell found on the way is only
    // where a new key may go.
    const std::ptrdiff_t found = probe(key, hash, false);
    if (found >= 0 && m_cells[static_cast<std::size_t>(found)].state == State::Live) {
        return false;
    }
    const std::ptrdiff_t at = probe(key, hash, true);
    Cell& cell = m_cells[static_cast<std::size_t>(at)];
    if (cell.state == State::Empty) {
        ++m_used;
    }
    cell = Cell{hash, key.data(), key.size(), State::Live};
    ++m_live;
    return true;
}

bool FlatKeySet::erase(std::string_view key)
{
    const std::ptrdiff_t at = probe(key, hashOf(key), false);
    if (at < 0 || m_cells[static_cast<std::size_t>(at)].state != State::Live) {
        return false;
    }
    m_cells[static_cast<std::size_t>(at)].state = State::Erased;
    --m_live;
    return true;
}

void FlatKeySet::clear()
{
    m_cells.clear();
    m_live = 0;
    m_used = 0;
}

void FlatKeySet::reserve(std::size_t count)
{
    const std::size_t wanted = std::max(MinCapacity, std::bit_ceil(count * 2 + 1));
    if (wanted > m_cells.size()) {
        rehash(wanted);
    }
}

void FlatKeySet::rehash(std::size_t capacity)
{
    std::vector<Cell> old(capacity);
    old.swap(m_cells);
    m_used = 0;
    const std::size_t mask = capacity - 1;
    for (const Cell& cell : old) {
        if (cell.state != State::Live) {
            continue;
        }
        std::size_t i = cell.hash & mask;
        while (m_cells[i].state != State::Empty) {
            i = (i + 1) & mask;
        }
        m_cells[i] = cell;
        ++m_used;
    }
}

} // namespace ostrevo::detail
