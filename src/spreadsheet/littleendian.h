// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// Little-endian numbers at a byte offset, as .xls files store them. The caller
// has checked that the bytes are there.

#include <cstddef>
#include <cstdint>
#include <span>

namespace ostrevo {

inline std::uint16_t LittleEndian16(std::span<const std::uint8_t> bytes, std::size_t offset)
{
    return static_cast<std::uint16_t>(bytes[offset] | bytes[offset + 1] << 8);
}

inline std::uint32_t LittleEndian32(std::span<const std::uint8_t> bytes, std::size_t offset)
{
    return LittleEndian16(bytes, offset) | std::uint32_t{LittleEndian16(bytes, offset + 2)} << 16;
}

inline std::uint64_t LittleEndian64(std::span<const std::uint8_t> bytes, std::size_t offset)
{
    return LittleEndian32(bytes, offset) | std::uint64_t{LittleEndian32(bytes, offset + 4)} << 32;
}

} // namespace ostrevo
