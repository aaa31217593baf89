// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// Many short texts (and small arrays of views on them) in a few large blocks
// instead of one heap object each: storing is a copy to the end of a block,
// and letting everything go frees a handful of blocks.
//
// Nothing stored ever moves while the arena lives. A text that is no longer
// used stays where it is and counts as garbage; the owner decides when to
// copy the live texts into a fresh arena (wantsCompaction) and swap.

#include "containers/arenatext.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <type_traits>
#include <vector>

namespace ostrevo {

class TextArena {
public:
    TextArena() = default;
    TextArena(const TextArena&) = delete;
    TextArena& operator=(const TextArena&) = delete;

    // A copy of `text` in the arena; an empty text takes no room. Throws
    // std::bad_alloc, leaving the arena as it was.
    ArenaText store(std::string_view text);
    // A copy of `text` with `behind` in the eight bytes after it, read back
    // by ArenaText::behind(): a companion text at no cost to the texts that
    // have none. Takes storedBytes(text.size()) + sizeof(ArenaText).
    ArenaText store(std::string_view text, ArenaText behind);
    // What store() takes for a text of `length` bytes.
    static std::size_t storedBytes(std::size_t length)
    {
        return length >= ArenaText::kLongLength ? length + sizeof(std::uint64_t) : length;
    }
    // Uninitialised room for `count` objects of a trivial type.
    template <typename T> T* allocateArray(std::size_t count)
    {
        static_assert(std::is_trivially_copyable_v<T> && std::is_trivially_destructible_v<T>);
        return static_cast<T*>(allocate(count * sizeof(T), alignof(T)));
    }
    void* allocate(std::size_t bytes, std::size_t alignment);

    // Room the owner no longer uses, counted until the next compaction.
    void discard(std::size_t bytes) noexcept { m_garbage += bytes; }
    // Makes sure the next stores and allocations of up to `bytes` in all
    // (arrays counted with their alignment) do not allocate, so cannot throw.
    void reserve(std::size_t bytes);

    std::size_t usedBytes() const { return m_used; } // live and garbage
    std::size_t garbageBytes() const { return m_garbage; }
    // Garbage beyond the live bytes (and beyond a small floor): copying the
    // live texts then costs no more than what was thrown away since.
    bool wantsCompaction() const;

    void clear() noexcept;
    void swap(TextArena& other) noexcept;

private:
    char* newBlock(std::size_t bytes);
    ArenaText place(std::string_view text, const ArenaText* behind);

    std::vector<std::unique_ptr<char[]>> m_blocks;
    char* m_next = nullptr; // free room of the current block
    char* m_end = nullptr;
    std::size_t m_used = 0;
    std::size_t m_garbage = 0;
};

} // namespace ostrevo
