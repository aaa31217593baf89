// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// Small builders of .xls bytes for the reader tests: little-endian fields,
// BIFF records and workbook streams, and OLE2 compound files around them.

#include <bit>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace ostrevo::test::xls {

inline std::span<const std::uint8_t> bytesOf(const std::string& bytes)
{
    return {reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()};
}

inline std::string u8(unsigned value)
{
    return std::string(1, static_cast<char>(value & 0xFF));
}

inline std::string u16(unsigned value)
{
    return u8(value) + u8(value >> 8);
}

inline std::string u32(std::uint32_t value)
{
    return u16(value & 0xFFFF) + u16(value >> 16);
}

inline std::string u64(std::uint64_t value)
{
    return u32(static_cast<std::uint32_t>(value)) + u32(static_cast<std::uint32_t>(value >> 32));
}

inline std::string f64(double value)
{
    return u64(std::bit_cast<std::uint64_t>(value));
}

inline void patch32(std::string& bytes, std::size_t offset, std::uint32_t value)
{
    bytes.replace(offset, 4, u32(value));
}

// ---------------------------------------------------------------- BIFF

namespace rec {
inline constexpr unsigned kBof = 0x0809, kEof = 0x000A, kCodePage = 0x0042, kDateMode = 0x0022,
                          kFormat = 0x041E, kFormatBiff5 = 0x001E, kXf = 0x00E0, kSst = 0x00FC,
                          kContinue = 0x003C, kBoundSheet = 0x0085, kWindow1 = 0x003D, kFilePass = 0x002F,
                          kLabel = 0x0204, kLabelSst = 0x00FD, kRichString = 0x00D6, kNumber = 0x0203,
                          kRk = 0x027E, kMulRk = 0x00BD, kBoolErr = 0x0205, kFormula = 0x0006,
                          kString = 0x0207, kBlank = 0x0201, kMulBlank = 0x00BE, kSharedFormula = 0x04BC;
} // namespace rec

inline std::string record(unsigned type, const std::string& data = {})
{
    return u16(type) + u16(static_cast<unsigned>(data.size())) + data;
}

// Row, column and XF of a cell record.
inline std::string cell(unsigned row, unsigned column, unsigned xf = 0)
{
    return u16(row) + u16(column) + u16(xf);
}

// BIFF8 characters after their count: single bytes when every character fits.
inline std::string unicodeChars(std::u16string_view text)
{
    bool compressed = true;
    for (const char16_t c : text) {
        compressed = compressed && c < 0x100;
    }
    std::string out = u8(compressed ? 0 : 1);
    for (const char16_t c : text) {
        out += compressed ? u8(c) : u16(c);
    }
    return out;
}

inline std::string unicodeString(std::u16string_view text, int lengthBytes = 2)
{
    const auto count = static_cast<unsigned>(text.size());
    return (lengthBytes == 1 ? u8(count) : u16(count)) + unicodeChars(text);
}

// BIFF5: a count, then the bytes as they are.
inline std::string byteString(std::string_view bytes, int lengthBytes = 2)
{
    const auto count = static_cast<unsigned>(bytes.size());
    return (lengthBytes == 1 ? u8(count) : u16(count)) + std::string(bytes);
}

inline std::string bof(bool biff8, unsigned substreamType)
{
    return biff8 ? record(rec::kBof,
                          u16(0x0600) + u16(substreamType) + u16(0x0DBB) + u16(0x07CC) + u32(0) + u32(6))
                 : record(rec::kBof, u16(0x0500) + u16(substreamType) + u16(0x0DBB) + u16(0x07CC));
}

inline std::string xf(unsigned formatId, bool biff8 = true)
{
    return record(rec::kXf, u16(0) + u16(formatId) + u16(0x0001) + std::string(biff8 ? 14 : 10, '\0'));
}

inline std::string window1(unsigned activeTab)
{
    return record(rec::kWindow1, u16(0) + u16(0) + u16(0x3000) + u16(0x2000) + u16(0x38) + u16(activeTab) +
                                     u16(0) + u16(1) + u16(600));
}

inline std::string number(unsigned row, unsigned column, double value, unsigned xf = 0)
{
    return record(rec::kNumber, cell(row, column, xf) + f64(value));
}

inline std::string label(unsigned row, unsigned column, std::u16string_view text)
{
    return record(rec::kLabel, cell(row, column) + unicodeString(text));
}

// A FORMULA record whose cached result is `result` (8 bytes), with a
// one-token formula after it.
inline std::string formula(unsigned row, unsigned column, const std::string& result, unsigned xf = 0)
{
    return record(rec::kFormula, cell(row, column, xf) + result + u16(0) + u32(0) + u16(1) + u8(0x1E));
}

// The cached result of a formula that is not a number: kind 0 text, 1
// boolean, 2 error, 3 empty text.
inline std::string specialResult(unsigned kind, unsigned value = 0)
{
    return u8(kind) + u8(0) + u8(value) + u8(0) + u16(0) + u16(0xFFFF);
}

struct BiffSheet {
    std::string records; // between the sheet's BOF and EOF
    unsigned type = 0;   // BOUNDSHEET's: 0 worksheet, 2 chart
};

// A workbook stream: BOF, `globals`, one BOUNDSHEET per sheet and EOF, then
// each sheet's substream. Sheets without a name in `names` are "Sheet<n>".
inline std::string workbookStream(const std::string& globals, const std::vector<BiffSheet>& sheets,
                                  bool biff8 = true, const std::vector<std::string>& names = {})
{
    const auto boundSheet = [&](std::uint32_t offset, const BiffSheet& sheet, std::size_t index) {
        const std::string name = index < names.size() ? names[index] : "Sheet" + std::to_string(index + 1);
        const std::u16string wide(name.begin(), name.end());
        return record(rec::kBoundSheet, u32(offset) + u8(0) + u8(sheet.type) +
                                            (biff8 ? unicodeString(wide, 1) : byteString(name, 1)));
    };
    std::size_t globalsSize = bof(biff8, 0x0005).size() + globals.size() + record(rec::kEof).size();
    for (std::size_t i = 0; i < sheets.size(); ++i) {
        globalsSize += boundSheet(0, sheets[i], i).size();
    }
    std::string head = bof(biff8, 0x0005) + globals;
    std::string tail;
    for (std::size_t i = 0; i < sheets.size(); ++i) {
        head += boundSheet(static_cast<std::uint32_t>(globalsSize + tail.size()), sheets[i], i);
        tail += bof(biff8, sheets[i].type == 2 ? 0x0020 : 0x0010) + sheets[i].records + record(rec::kEof);
    }
    return head + record(rec::kEof) + tail;
}

inline std::string workbookStream(const std::string& globals, const std::string& sheetRecords,
                                  bool biff8 = true)
{
    return workbookStream(globals, std::vector<BiffSheet>{{sheetRecords, 0}}, biff8);
}

// ---------------------------------------------------------------- OLE2

inline constexpr std::uint32_t kEndOfChain = 0xFFFFFFFE;
inline constexpr std::uint32_t kFreeSector = 0xFFFFFFFF;
inline constexpr std::uint32_t kNoStream = 0xFFFFFFFF;

// Where the builder put things, for tests that damage them.
struct CompoundFileLayout {
    std::string bytes;
    unsigned sectorShift = 9;
    std::vector<std::uint32_t> fatSectors;
    std::vector<std::uint32_t> difatSectors;
    std::vector<std::uint32_t> streamStarts; // in the order the streams were given
    std::uint32_t directoryStart = 0;
    std::uint32_t miniFatStart = kEndOfChain;

    std::size_t sectorOffset(std::uint32_t sector) const { return (std::size_t{sector} + 1) << sectorShift; }
    std::size_t fatEntryOffset(std::uint32_t sector) const
    {
        const std::size_t perSector = (std::size_t{1} << sectorShift) / 4;
        return sectorOffset(fatSectors.at(sector / perSector)) + sector % perSector * 4;
    }
    std::size_t directoryEntryOffset(std::uint32_t index) const
    {
        return sectorOffset(directoryStart) +
               std::size_t{index} * 128; // the directory's sectors follow each other
    }
    std::size_t miniFatEntryOffset(std::uint32_t miniSector) const
    {
        return sectorOffset(miniFatStart) + std::size_t{miniSector} * 4;
    }
};

// Streams in the root storage; those under 4096 bytes in the mini stream.
class CompoundFileBuilder {
public:
    explicit CompoundFileBuilder(unsigned sectorShift = 9) : m_shift(sectorShift) {}

    CompoundFileBuilder& stream(std::string name, std::string contents)
    {
        m_streams.emplace_back(std::move(name), std::move(contents));
        return *this;
    }
    // More sector table sectors than needed: past 109 they need DIFAT sectors.
    CompoundFileBuilder& fatSectorsAtLeast(std::size_t count)
    {
        m_minimumFatSectors = count;
        return *this;
    }

    CompoundFileLayout build() const
    {
        const std::size_t sectorSize = std::size_t{1} << m_shift;
        const std::size_t perSector = sectorSize / 4;
        CompoundFileLayout layout;
        layout.sectorShift = m_shift;
        std::vector<std::string> sectors;
        std::vector<std::uint32_t> fat;
        const auto addChain = [&](const std::string& data) {
            if (data.empty()) {
                return kEndOfChain;
            }
            const auto start = static_cast<std::uint32_t>(sectors.size());
            const std::size_t count = (data.size() + sectorSize - 1) / sectorSize;
            for (std::size_t i = 0; i < count; ++i) {
                std::string sector = data.substr(i * sectorSize, sectorSize);
                sector.resize(sectorSize, '\0');
                sectors.push_back(sector);
                fat.push_back(i + 1 < count ? static_cast<std::uint32_t>(start + i + 1) : kEndOfChain);
            }
            return start;
        };

        std::string miniStream;
        std::string miniFat;
        std::vector<std::uint32_t> starts;
        for (const auto& [name, contents] : m_streams) {
            if (contents.size() >= 4096) {
                starts.push_back(addChain(contents));
                continue;
            }
            const auto first = static_cast<std::uint32_t>(miniStream.size() / 64);
            const std::size_t count = (contents.size() + 63) / 64;
            for (std::size_t i = 0; i < count; ++i) {
                miniFat += u32(i + 1 < count ? static_cast<std::uint32_t>(first + i + 1) : kEndOfChain);
            }
            std::string padded = contents;
            padded.resize(count * 64, '\0');
            miniStream += padded;
            starts.push_back(count > 0 ? first : kEndOfChain);
        }
        layout.streamStarts = starts;
        const std::uint32_t miniStreamStart = addChain(miniStream);
        while (miniFat.size() % sectorSize != 0) {
            miniFat += u32(kFreeSector);
        }
        layout.miniFatStart = addChain(miniFat);

        const auto entry = [](std::string_view name, unsigned type, std::uint32_t right, std::uint32_t child,
                              std::uint32_t start, std::uint64_t size) {
            std::string encoded;
            for (const char c : name) {
                encoded += u16(static_cast<unsigned char>(c));
            }
            if (!name.empty()) {
                encoded += u16(0);
            }
            const auto nameBytes = static_cast<unsigned>(encoded.size());
            encoded.resize(64, '\0');
            return encoded + u16(nameBytes) + u8(type) + u8(1) + u32(kNoStream) + u32(right) + u32(child) +
                   std::string(16, '\0') + u32(0) + std::string(16, '\0') + u32(start) + u64(size);
        };
        std::string directory = entry("Root Entry", 5, kNoStream, m_streams.empty() ? kNoStream : 1,
                                      miniStreamStart, miniStream.size());
        for (std::size_t i = 0; i < m_streams.size(); ++i) {
            const std::uint32_t right =
                i + 1 < m_streams.size() ? static_cast<std::uint32_t>(i + 2) : kNoStream;
            directory +=
                entry(m_streams[i].first, 2, right, kNoStream, starts[i], m_streams[i].second.size());
        }
        while (directory.size() % sectorSize != 0) {
            directory += entry("", 0, kNoStream, kNoStream, 0, 0);
        }
        layout.directoryStart = addChain(directory);

        // The sector tables last: enough FAT sectors to describe every sector,
        // themselves and the DIFAT sectors included.
        const std::size_t dataSectors = sectors.size();
        std::size_t fatCount = std::max<std::size_t>(m_minimumFatSectors, 1);
        std::size_t difatCount = 0;
        for (;; ++fatCount) {
            difatCount = fatCount > 109 ? (fatCount - 109 + perSector - 2) / (perSector - 1) : 0;
            if (fatCount * perSector >= dataSectors + fatCount + difatCount) {
                break;
            }
        }
        for (std::size_t i = 0; i < fatCount; ++i) {
            layout.fatSectors.push_back(static_cast<std::uint32_t>(dataSectors + i));
        }
        for (std::size_t i = 0; i < difatCount; ++i) {
            layout.difatSectors.push_back(static_cast<std::uint32_t>(dataSectors + fatCount + i));
        }
        fat.resize(fatCount * perSector, kFreeSector);
        for (const std::uint32_t sector : layout.fatSectors) {
            fat[sector] = 0xFFFFFFFD;
        }
        for (const std::uint32_t sector : layout.difatSectors) {
            fat[sector] = 0xFFFFFFFC;
        }
        std::string fatBytes;
        for (const std::uint32_t next : fat) {
            fatBytes += u32(next);
        }
        for (std::size_t i = 0; i < fatCount; ++i) {
            sectors.push_back(fatBytes.substr(i * sectorSize, sectorSize));
        }
        for (std::size_t i = 0; i < difatCount; ++i) {
            std::string difat;
            for (std::size_t slot = 0; slot + 1 < perSector; ++slot) {
                const std::size_t index = 109 + i * (perSector - 1) + slot;
                difat += u32(index < fatCount ? layout.fatSectors[index] : kFreeSector);
            }
            difat += u32(i + 1 < difatCount ? layout.difatSectors[i + 1] : kEndOfChain);
            sectors.push_back(difat);
        }

        std::string header =
            "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1" + std::string(16, '\0') + u16(0x3E) +
            u16(m_shift == 12 ? 4 : 3) + u16(0xFFFE) + u16(m_shift) + u16(6) + std::string(6, '\0') +
            u32(m_shift == 12 ? static_cast<std::uint32_t>(directory.size() / sectorSize) : 0) +
            u32(static_cast<std::uint32_t>(fatCount)) + u32(layout.directoryStart) + u32(0) + u32(4096) +
            u32(layout.miniFatStart) + u32(static_cast<std::uint32_t>(miniFat.size() / sectorSize)) +
            u32(difatCount > 0 ? layout.difatSectors[0] : kEndOfChain) +
            u32(static_cast<std::uint32_t>(difatCount));
        for (std::size_t i = 0; i < 109; ++i) {
            header += u32(i < fatCount ? layout.fatSectors[i] : kFreeSector);
        }
        header.resize(sectorSize, '\0');
        layout.bytes = header;
        for (const std::string& sector : sectors) {
            layout.bytes += sector;
        }
        return layout;
    }

private:
    unsigned m_shift;
    std::size_t m_minimumFatSectors = 0;
    std::vector<std::pair<std::string, std::string>> m_streams;
};

// An .xls file around one workbook stream.
inline std::string xlsFile(const std::string& workbook, const std::string& streamName = "Workbook")
{
    return CompoundFileBuilder().stream(streamName, workbook).build().bytes;
}

} // namespace ostrevo::test::xls
