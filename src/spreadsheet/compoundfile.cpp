// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "spreadsheet/compoundfile.h"

#include "spreadsheet/littleendian.h"

#include <algorithm>
#include <array>
#include <string>

namespace ostrevo {

namespace {

constexpr std::array<std::uint8_t, 8> kSignature{0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
constexpr std::size_t kHeaderSize = 512;
constexpr std::size_t kHeaderDifatEntries = 109;
constexpr std::size_t kDirectoryEntrySize = 128;

constexpr std::uint32_t kEndOfChain = 0xFFFFFFFE;
constexpr std::uint32_t kNoStream = 0xFFFFFFFF;

constexpr std::uint8_t kStreamEntry = 2;
constexpr std::uint8_t kRootEntry = 5;

char16_t folded(char16_t c)
{
    return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c;
}

bool sameName(std::u16string_view entryName, std::string_view name)
{
    return entryName.size() == name.size() &&
           std::equal(entryName.begin(), entryName.end(), name.begin(),
                      [](char16_t a, char b) { return folded(a) == folded(static_cast<unsigned char>(b)); });
}

} // namespace

bool HasCompoundFileSignature(std::span<const std::uint8_t> bytes)
{
    return bytes.size() >= kSignature.size() &&
           std::equal(kSignature.begin(), kSignature.end(), bytes.begin());
}

CompoundFile::CompoundFile(std::span<const std::uint8_t> bytes) : m_bytes(bytes)
{
    readHeader();

    const std::size_t entriesPerSector = (std::size_t{1} << m_sectorShift) / 4;
    for (const std::uint32_t number : fatSectorNumbers()) {
        const std::span<const std::uint8_t> fatSector = sector(number);
        if (fatSector.size() < entriesPerSector * 4) {
            throw DamagedWorkbook("it is truncated inside its sector table");
        }
        for (std::size_t i = 0; i < entriesPerSector; ++i) {
            m_fat.push_back(LittleEndian32(fatSector, i * 4));
        }
    }

    m_directory = readRegular(LittleEndian32(m_bytes, 48), std::nullopt, "its directory");
    if (m_directory.size() < kDirectoryEntrySize || entry(0).type != kRootEntry) {
        throw DamagedWorkbook("its directory has no root entry");
    }

    // Without a mini sector table there is no mini stream, whatever the root says.
    std::vector<std::uint8_t> miniFat;
    if (LittleEndian32(m_bytes, 64) != 0) {
        miniFat = readRegular(LittleEndian32(m_bytes, 60), std::nullopt, "its mini sector table");
    }
    for (std::size_t i = 0; i + 4 <= miniFat.size(); i += 4) {
        m_miniFat.push_back(LittleEndian32(miniFat, i));
    }
    if (!m_miniFat.empty()) {
        const Entry root = entry(0);
        m_miniStream = readRegular(root.start, root.size, "its mini stream");
    }
}

void CompoundFile::readHeader()
{
    if (!HasCompoundFileSignature(m_bytes)) {
        throw UnreadableWorkbook(
            "the file is damaged or is not an Excel workbook (it is no OLE2 compound file)");
    }
    if (m_bytes.size() < kHeaderSize) {
        throw DamagedWorkbook("it is shorter than its compound file header");
    }
    const std::uint16_t majorVersion = LittleEndian16(m_bytes, 26);
    m_sectorShift = LittleEndian16(m_bytes, 30);
    m_miniSectorShift = LittleEndian16(m_bytes, 32);
    if (LittleEndian16(m_bytes, 28) != 0xFFFE || (m_sectorShift != 9 && m_sectorShift != 12) ||
        m_miniSectorShift != 6) {
        throw DamagedWorkbook("its compound file header is invalid");
    }
    m_version4 = majorVersion >= 4;
    m_miniStreamCutoff = LittleEndian32(m_bytes, 56);
    // The header fills the first sector; a last sector may be cut short.
    const std::size_t sectorSize = std::size_t{1} << m_sectorShift;
    const std::size_t afterHeader = m_bytes.size() > sectorSize ? m_bytes.size() - sectorSize : 0;
    const std::size_t sectors = (afterHeader + sectorSize - 1) / sectorSize;
    m_sectorCount = static_cast<std::uint32_t>(std::min<std::size_t>(sectors, kEndOfChain - 1));
}

std::vector<std::uint32_t> CompoundFile::fatSectorNumbers() const
{
    const std::uint32_t count = LittleEndian32(m_bytes, 44);
    if (count > m_sectorCount) {
        throw DamagedWorkbook("its sector table is larger than the file");
    }
    std::vector<std::uint32_t> numbers;
    numbers.reserve(count);
    for (std::size_t i = 0; i < kHeaderDifatEntries && numbers.size() < count; ++i) {
        numbers.push_back(LittleEndian32(m_bytes, 76 + i * 4));
    }
    // The numbers that do not fit in the header continue in a chain of DIFAT
    // sectors, each ending with the number of the next.
    const std::size_t perSector = (std::size_t{1} << m_sectorShift) / 4 - 1;
    std::vector<bool> visited(m_sectorCount);
    std::uint32_t next = LittleEndian32(m_bytes, 68);
    while (numbers.size() < count) {
        if (next >= m_sectorCount) {
            throw DamagedWorkbook("its list of sector table sectors ends early");
        }
        if (visited[next]) {
            throw DamagedWorkbook("its list of sector table sectors loops");
        }
        visited[next] = true;
        const std::span<const std::uint8_t> difat = sector(next);
        if (difat.size() < (perSector + 1) * 4) {
            throw DamagedWorkbook("it is truncated inside its list of sector table sectors");
        }
        for (std::size_t i = 0; i < perSector && numbers.size() < count; ++i) {
            numbers.push_back(LittleEndian32(difat, i * 4));
        }
        next = LittleEndian32(difat, perSector * 4);
    }
    return numbers;
}

std::vector<std::uint32_t> CompoundFile::chain(std::uint32_t start, const std::vector<std::uint32_t>& table,
                                               std::string_view what) const
{
    std::vector<std::uint32_t> sectors;
    std::vector<bool> visited;
    for (std::uint32_t current = start; current != kEndOfChain; current = table[current]) {
        if (current >= table.size()) {
            throw DamagedWorkbook(std::string(what) + " points outside the file");
        }
        if (visited.empty()) {
            visited.resize(table.size());
        }
        if (visited[current]) {
            throw DamagedWorkbook(std::string(what) + " loops");
        }
        visited[current] = true;
        sectors.push_back(current);
    }
    return sectors;
}

std::vector<std::uint8_t> CompoundFile::readRegular(std::uint32_t start, std::optional<std::uint64_t> size,
                                                    std::string_view what) const
{
    if (size == 0) {
        return {}; // whatever its start says
    }
    const std::vector<std::uint32_t> sectors = chain(start, m_fat, what);
    const std::size_t sectorSize = std::size_t{1} << m_sectorShift;
    const std::uint64_t chainBytes = std::uint64_t{sectors.size()} * sectorSize;
    if (size.value_or(0) > chainBytes) {
        throw DamagedWorkbook(std::string(what) + " is shorter than its directory entry says");
    }
    // Distinct sectors of the file: the size is now bounded by the file's.
    const auto wantedSize = static_cast<std::size_t>(size.value_or(chainBytes));
    std::vector<std::uint8_t> contents;
    contents.reserve(wantedSize);
    for (const std::uint32_t number : sectors) {
        const std::size_t wanted = std::min(sectorSize, wantedSize - contents.size());
        if (wanted == 0) {
            break;
        }
        const std::span<const std::uint8_t> bytes = sector(number);
        if (bytes.size() < wanted) {
            throw DamagedWorkbook("it is truncated inside " + std::string(what));
        }
        contents.insert(contents.end(), bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(wanted));
    }
    return contents;
}

std::vector<std::uint8_t> CompoundFile::readMini(std::uint32_t start, std::uint64_t size,
                                                 std::string_view what) const
{
    if (size == 0) {
        return {};
    }
    const std::vector<std::uint32_t> sectors = chain(start, m_miniFat, what);
    const std::size_t miniSectorSize = std::size_t{1} << m_miniSectorShift;
    if (size > std::uint64_t{sectors.size()} * miniSectorSize) {
        throw DamagedWorkbook(std::string(what) + " is shorter than its directory entry says");
    }
    std::vector<std::uint8_t> contents;
    contents.reserve(static_cast<std::size_t>(size));
    for (const std::uint32_t number : sectors) {
        const std::size_t wanted = std::min(miniSectorSize, static_cast<std::size_t>(size) - contents.size());
        if (wanted == 0) {
            break;
        }
        const std::size_t offset = std::size_t{number} * miniSectorSize;
        if (offset + wanted > m_miniStream.size()) {
            throw DamagedWorkbook(std::string(what) + " points outside the mini stream");
        }
        contents.insert(contents.end(), m_miniStream.begin() + static_cast<std::ptrdiff_t>(offset),
                        m_miniStream.begin() + static_cast<std::ptrdiff_t>(offset + wanted));
    }
    return contents;
}

std::span<const std::uint8_t> CompoundFile::sector(std::uint32_t number) const
{
    if (number >= m_sectorCount) {
        throw DamagedWorkbook("a sector chain points outside the file");
    }
    const std::size_t sectorSize = std::size_t{1} << m_sectorShift;
    const std::size_t offset = (std::size_t{number} + 1) * sectorSize;
    return m_bytes.subspan(offset, std::min(sectorSize, m_bytes.size() - offset));
}

CompoundFile::Entry CompoundFile::entry(std::uint32_t index) const
{
    const std::span<const std::uint8_t> bytes =
        std::span(m_directory).subspan(std::size_t{index} * kDirectoryEntrySize, kDirectoryEntrySize);
    Entry entry;
    const std::size_t nameBytes = std::min<std::size_t>(LittleEndian16(bytes, 64), 64);
    for (std::size_t i = 0; i + 2 <= nameBytes; i += 2) {
        const char16_t c = LittleEndian16(bytes, i);
        if (c == 0) {
            break;
        }
        entry.name.push_back(c);
    }
    entry.type = bytes[66];
    entry.left = LittleEndian32(bytes, 68);
    entry.right = LittleEndian32(bytes, 72);
    entry.child = LittleEndian32(bytes, 76);
    entry.start = LittleEndian32(bytes, 116);
    // Version 3 files leave the high half of the size undefined.
    entry.size = m_version4 ? LittleEndian64(bytes, 120) : LittleEndian32(bytes, 120);
    return entry;
}

std::optional<std::vector<std::uint8_t>> CompoundFile::stream(std::string_view name) const
{
    // The root's children form a tree through their left and right links.
    const std::size_t entryCount = m_directory.size() / kDirectoryEntrySize;
    std::vector<bool> visited(entryCount);
    std::vector<std::uint32_t> pending{entry(0).child};
    while (!pending.empty()) {
        const std::uint32_t index = pending.back();
        pending.pop_back();
        if (index == kNoStream) {
            continue;
        }
        if (index >= entryCount) {
            throw DamagedWorkbook("its directory points outside itself");
        }
        if (visited[index]) {
            throw DamagedWorkbook("its directory loops");
        }
        visited[index] = true;
        const Entry found = entry(index);
        if (found.type == kStreamEntry && sameName(found.name, name)) {
            const std::string what = "the stream " + std::string(name);
            if (found.size > m_bytes.size()) {
                throw DamagedWorkbook(what + " is larger than the file");
            }
            return found.size < m_miniStreamCutoff ? readMini(found.start, found.size, what)
                                                   : readRegular(found.start, found.size, what);
        }
        pending.push_back(found.left);
        pending.push_back(found.right);
    }
    return std::nullopt;
}

} // namespace ostrevo
