// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// A set of texts owned elsewhere, kept in one flat array (open addressing,
// linear probing): no allocation per key and one cache line per probe, which
// matters when every line of a 5 MB page and every harvested host is looked
// up. The set stores views: the caller keeps each key's bytes alive and in
// place until it is erased or the set is cleared.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace ostrevo::detail {

class FlatKeySet {
public:
    std::size_t size() const { return m_live; }
    bool empty() const { return m_live == 0; }

    bool contains(std::string_view key) const;
    // False, changing nothing, when an equal key is present.
    bool insert(std::string_view key);
    // False when no equal key is present.
    bool erase(std::string_view key);
    void clear();
    void reserve(std::size_t count);

private:
    enum class State : std::uint8_t { Empty, Live, Erased };
    struct Cell {
        std::uint64_t hash = 0;
        const char* data = nullptr;
        std::size_t size = 0;
        State state = State::Empty;
    };

    static std::uint64_t hashOf(std::string_view key);
    // The cell holding `key`, or the cell where it would go; -1 when full.
    std::ptrdiff_t probe(std::string_view key, std::uint64_t hash, bool forInsert) const;
    void rehash(std::size_t capacity);

    std::vector<Cell> m_cells; // size 0 or a power of two
    std::size_t m_live = 0;
    std::size_t m_used = 0; // live and erased cells
};

} // namespace ostrevo::detail
