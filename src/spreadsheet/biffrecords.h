// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// The records of a BIFF 5 or 8 workbook stream: a type, a length and the data,
// a record too long for one continued in CONTINUE records. Every read is
// checked against the record: a short one is damage (UnreadableWorkbook).

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace ostrevo {

namespace biff {
inline constexpr std::uint16_t kContinue = 0x003C;
} // namespace biff

// One record with the data of the CONTINUE records that follow it.
struct BiffRecord {
    std::uint16_t type = 0;
    std::size_t offset = 0; // of its header in the stream, for messages
    std::vector<std::span<const std::uint8_t>> parts;
};

// The records of a stream from a given offset on.
class BiffRecordStream {
public:
    BiffRecordStream(std::span<const std::uint8_t> stream, std::size_t offset);

    // False at the end of the stream. Throws for a record that runs past it.
    bool next(BiffRecord& record);

private:
    std::span<const std::uint8_t> m_stream;
    std::size_t m_offset;
};

// Reads one record field by field. Numbers read across the end of a part
// into the next; characters restart there with a new flags byte, as BIFF8
// writes them.
class BiffRecordReader {
public:
    explicit BiffRecordReader(const BiffRecord& record) : m_record(record) {}

    std::uint8_t u8();
    std::uint16_t u16();
    std::uint32_t u32();
    double f64();
    void skip(std::size_t count);
    // Bytes left in the record's own data, CONTINUE records not counted.
    std::size_t leftInFirstPart() const;
    // Nothing left in any part.
    bool atEnd() const;

    // BIFF8 text: a character count of `lengthBytes` bytes, a flags byte, then
    // the characters; rich text runs and phonetic data are skipped.
    std::string unicodeString(int lengthBytes);
    // BIFF5 text: a byte count of `lengthBytes` bytes, then bytes in `codePage`.
    std::string byteString(int lengthBytes, std::uint16_t codePage);
    // The same as single bytes, each its own code point: for format codes,
    // whose letters are ASCII in any code page.
    std::string latin1String(int lengthBytes);

    // "record 0x00FC at byte 1234 <problem>" as damage.
    [[noreturn]] void damaged(const std::string& problem) const;

private:
    std::size_t leftInPart() const;
    bool enterNextPart();
    std::uint32_t length(int lengthBytes);
    // BIFF8 text continues with a flags byte, BIFF5 text without.
    std::u16string characters(std::size_t count, bool sixteenBit, bool flagsPerPart);

    const BiffRecord& m_record;
    std::size_t m_part = 0;
    std::size_t m_position = 0;
};

} // namespace ostrevo
