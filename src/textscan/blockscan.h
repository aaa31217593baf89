// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// Classifies a text 64 bytes at a time against a separator set (AVX2 where
// the processor has it, SSE2 otherwise) into the bit masks TokenScanner
// walks: separators outside quoted stretches, token starts and token ends.
// Internal to textscan.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace ostrevo::detail {

inline constexpr std::size_t BlockSize = 64;

// A separator set in the forms the classifiers read. The quote is never a
// separator, even when the set lists it. Trivially built, so that a
// per-thread copy needs no construction guard.
struct SeparatorClasses {
    void assign(std::string_view set) noexcept;

    // Bit (c >> 4) & 7 of nibbles[(c >> 7) * 16 + (c & 15)] is set when byte
    // c is a separator: two 16-entry tables a byte shuffle can look up.
    alignas(16) unsigned char nibbles[32];
    std::uint64_t map[4]; // the same as a 256-bit map
    // Up to this many distinct separators are compared one by one without
    // AVX2; more are looked up in the map a byte at a time.
    static constexpr std::size_t MaxCompared = 16;
    char distinct[MaxCompared];
    std::size_t distinctCount;
};

// One classified block of a text, bit k standing for byte block[k].
struct BlockState {
    const char* block;
    // Where the text ends. It moves one byte back when the text ends with a
    // separator on the last position a cursor can name (a cursor after it
    // does not exist), so that the piece before it is the last one.
    const char* end;
    bool reachesLastPosition; // the text is as long as cursors can name
    std::uint64_t separators; // outside quoted stretches
    // Token starts (a byte after a separator) and token ends (a separator
    // after a byte); along the text they alternate.
    std::uint64_t edges;
    std::uint64_t inToken; // 1 when the block's last byte is not a separator
    std::uint64_t inQuote; // all ones when a quoted stretch runs on past the block
};

// Classifies the block at `at` (before state.end) into `state`, going on
// from the previous block's token and quote state. Bytes past the end are
// neither token bytes nor separators.
void loadBlock(BlockState& state, const SeparatorClasses& classes, const char* at) noexcept;

// Classifies up to `count` blocks, the first at `at`, as loadBlock would one
// after the other, and puts each one's edges in `edges`: one call for many
// blocks when all of a text is read. `state` ends as the last block left it.
// Gives the number of blocks classified, fewer only where the text ends.
std::size_t loadBlocks(BlockState& state, const SeparatorClasses& classes, const char* at,
                       std::uint64_t* edges, std::size_t count) noexcept;

// Which classifier loadBlock uses: AVX2 when the processor has it, unless
// `allowAvx2` is false (so that tests cover both on one machine).
void useAvx2(bool allowAvx2) noexcept;

} // namespace ostrevo::detail
