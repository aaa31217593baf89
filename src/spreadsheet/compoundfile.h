// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// The streams of an OLE2 compound file (the container of .xls workbooks), read
// from the file's bytes in memory. Every sector chain is checked against the
// file: a damaged or hostile file is refused with UnreadableWorkbook, and no
// size field is trusted further than the file's own size.

#include "spreadsheet/unreadableworkbook.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace ostrevo {

// The eight bytes every compound file starts with.
bool HasCompoundFileSignature(std::span<const std::uint8_t> bytes);

class CompoundFile {
public:
    // Reads the header, the sector tables and the directory. The bytes must
    // outlive this object.
    explicit CompoundFile(std::span<const std::uint8_t> bytes);

    // The contents of the stream `name` (compared without regard to case) that
    // sits directly in the root storage; nothing when there is none.
    std::optional<std::vector<std::uint8_t>> stream(std::string_view name) const;

private:
    struct Entry {
        std::u16string name;
        std::uint8_t type = 0;
        std::uint32_t left = 0;
        std::uint32_t right = 0;
        std::uint32_t child = 0;
        std::uint32_t start = 0;
        std::uint64_t size = 0;
    };

    void readHeader();
    std::vector<std::uint32_t> fatSectorNumbers() const;
    // The sectors from `start` to the end of its chain in `table`, refusing a
    // chain that leaves the table or visits a sector twice.
    std::vector<std::uint32_t> chain(std::uint32_t start, const std::vector<std::uint32_t>& table,
                                     std::string_view what) const;
    // A stream in regular sectors; the whole chain without a size.
    std::vector<std::uint8_t> readRegular(std::uint32_t start, std::optional<std::uint64_t> size,
                                          std::string_view what) const;
    std::vector<std::uint8_t> readMini(std::uint32_t start, std::uint64_t size, std::string_view what) const;
    std::span<const std::uint8_t> sector(std::uint32_t number) const;
    Entry entry(std::uint32_t index) const;

    std::span<const std::uint8_t> m_bytes;
    unsigned m_sectorShift = 9;
    unsigned m_miniSectorShift = 6;
    bool m_version4 = false;
    std::uint32_t m_miniStreamCutoff = 4096;
    std::uint32_t m_sectorCount = 0; // sectors the file holds, a partial last one included
    std::vector<std::uint32_t> m_fat;
    std::vector<std::uint32_t> m_miniFat;
    std::vector<std::uint8_t> m_directory;
    std::vector<std::uint8_t> m_miniStream;
};

} // namespace ostrevo
