// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// A text kept in a TextArena, in eight bytes where a string_view takes
// sixteen: the address in the low 48 bits (the arena only hands out room
// below 2^48) and the length in the high 16. A text of kLongLength bytes or
// more keeps its length in the eight bytes in front of it. A text may carry
// another's reference in the eight bytes behind it (see TextArena::store).

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace ostrevo {

class ArenaText {
public:
    static constexpr int kAddressBits = 48;
    static constexpr std::uint64_t kAddressMask = (std::uint64_t{1} << kAddressBits) - 1;
    static constexpr std::size_t kLongLength = 0xFFFF;

    ArenaText() = default;

    std::string_view view() const
    {
        const auto* at = reinterpret_cast<const char*>(static_cast<std::uintptr_t>(m_bits & kAddressMask));
        std::size_t length = static_cast<std::size_t>(m_bits >> kAddressBits);
        if (length == kLongLength) {
            std::uint64_t stored = 0;
            std::memcpy(&stored, at - sizeof stored, sizeof stored);
            length = static_cast<std::size_t>(stored);
        }
        return {at, length};
    }
    bool empty() const { return m_bits == 0; }
    // The reference stored behind this text; only for a text stored with one.
    ArenaText behind() const
    {
        const std::string_view text = view();
        ArenaText other;
        std::memcpy(&other.m_bits, text.data() + text.size(), sizeof other.m_bits);
        return other;
    }
    // What the text takes in its arena, the length in front of a long one included.
    std::size_t storedBytes() const
    {
        const std::size_t length = view().size();
        return length >= kLongLength ? length + sizeof(std::uint64_t) : length;
    }

private:
    friend class TextArena;
    ArenaText(const char* at, std::size_t length)
        : m_bits(static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(at)) |
                 (static_cast<std::uint64_t>(length < kLongLength ? length : kLongLength) << kAddressBits))
    {}

    std::uint64_t m_bits = 0;
};

} // namespace ostrevo
