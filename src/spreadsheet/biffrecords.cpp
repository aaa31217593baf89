// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "spreadsheet/biffrecords.h"

#include "spreadsheet/biffstrings.h"
#include "spreadsheet/littleendian.h"
#include "spreadsheet/unreadableworkbook.h"

#include <algorithm>
#include <bit>
#include <cstdio>

namespace ostrevo {

namespace {

constexpr std::size_t kRecordHeaderSize = 4;

// Flags of a BIFF8 string.
constexpr std::uint8_t kSixteenBit = 0x01;
constexpr std::uint8_t kPhonetic = 0x04;
constexpr std::uint8_t kRichText = 0x08;
constexpr std::size_t kRichTextRunSize = 4;

std::string hex(std::uint16_t type)
{
    char text[8];
    std::snprintf(text, sizeof text, "0x%04X", type);
    return text;
}

} // namespace

BiffRecordStream::BiffRecordStream(std::span<const std::uint8_t> stream, std::size_t offset)
    : m_stream(stream), m_offset(offset)
{}

bool BiffRecordStream::next(BiffRecord& record)
{
    const auto readPart = [this](std::uint16_t& type) {
        const std::size_t at = m_offset;
        if (m_stream.size() - at < kRecordHeaderSize) {
            throw DamagedWorkbook("the workbook stream ends inside the record at byte " + std::to_string(at));
        }
        type = LittleEndian16(m_stream, at);
        const std::size_t length = LittleEndian16(m_stream, at + 2);
        if (m_stream.size() - at - kRecordHeaderSize < length) {
            throw DamagedWorkbook("record " + hex(type) + " at byte " + std::to_string(at) +
                                  " runs past the end of the workbook stream");
        }
        m_offset = at + kRecordHeaderSize + length;
        return m_stream.subspan(at + kRecordHeaderSize, length);
    };
    if (m_offset >= m_stream.size()) {
        return false;
    }
    record.offset = m_offset;
    record.parts.clear();
    record.parts.push_back(readPart(record.type));
    while (m_stream.size() - m_offset >= 2 && LittleEndian16(m_stream, m_offset) == biff::kContinue) {
        std::uint16_t type = 0;
        record.parts.push_back(readPart(type));
    }
    return true;
}

std::size_t BiffRecordReader::leftInPart() const
{
    return m_record.parts[m_part].size() - m_position;
}

std::size_t BiffRecordReader::leftInFirstPart() const
{
    return m_part == 0 ? leftInPart() : 0;
}

bool BiffRecordReader::atEnd() const
{
    for (std::size_t part = m_part; part < m_record.parts.size(); ++part) {
        if (m_record.parts[part].size() > (part == m_part ? m_position : 0)) {
            return false;
        }
    }
    return true;
}

bool BiffRecordReader::enterNextPart()
{
    if (m_part + 1 >= m_record.parts.size()) {
        return false;
    }
    ++m_part;
    m_position = 0;
    return true;
}

std::uint8_t BiffRecordReader::u8()
{
    while (leftInPart() == 0) {
        if (!enterNextPart()) {
            damaged("is too short");
        }
    }
    return m_record.parts[m_part][m_position++];
}

std::uint16_t BiffRecordReader::u16()
{
    const std::uint16_t low = u8();
    return static_cast<std::uint16_t>(low | u8() << 8);
}

std::uint32_t BiffRecordReader::u32()
{
    const std::uint32_t low = u16();
    return low | std::uint32_t{u16()} << 16;
}

double BiffRecordReader::f64()
{
    const std::uint64_t low = u32();
    return std::bit_cast<double>(low | std::uint64_t{u32()} << 32);
}

void BiffRecordReader::skip(std::size_t count)
{
    while (count > 0) {
        while (leftInPart() == 0) {
            if (!enterNextPart()) {
                damaged("is too short");
            }
        }
        const std::size_t step = std::min(count, leftInPart());
        m_position += step;
        count -= step;
    }
}

std::uint32_t BiffRecordReader::length(int lengthBytes)
{
    return lengthBytes == 1 ? u8() : u16();
}

std::u16string BiffRecordReader::characters(std::size_t count, bool sixteenBit, bool flagsPerPart)
{
    std::u16string text;
    while (text.size() < count) {
        if (leftInPart() == 0) {
            if (!enterNextPart()) {
                damaged("ends inside a string");
            }
            if (flagsPerPart) {
                sixteenBit = (u8() & kSixteenBit) != 0;
            }
            continue;
        }
        const std::span<const std::uint8_t> part = m_record.parts[m_part];
        const std::size_t fit = std::min(count - text.size(), leftInPart() / (sixteenBit ? 2 : 1));
        if (fit == 0) {
            damaged("splits a character"); // one byte of a 16-bit character is left in the part
        }
        for (std::size_t i = 0; i < fit; ++i) {
            text += sixteenBit ? static_cast<char16_t>(LittleEndian16(part, m_position + 2 * i))
                               : static_cast<char16_t>(part[m_position + i]);
        }
        m_position += fit * (sixteenBit ? 2 : 1);
    }
    return text;
}

std::string BiffRecordReader::unicodeString(int lengthBytes)
{
    const std::uint32_t count = length(lengthBytes);
    const std::uint8_t flags = u8();
    const std::size_t runs = (flags & kRichText) != 0 ? u16() : 0;
    const std::size_t phoneticBytes = (flags & kPhonetic) != 0 ? u32() : 0;
    std::string text = Utf8FromUtf16(characters(count, (flags & kSixteenBit) != 0, true));
    skip(runs * kRichTextRunSize);
    skip(phoneticBytes);
    return text;
}

std::string BiffRecordReader::byteString(int lengthBytes, std::uint16_t codePage)
{
    const std::u16string bytes = characters(length(lengthBytes), false, false);
    const std::vector<std::uint8_t> text(bytes.begin(), bytes.end());
    return Utf8FromCodePage(text, codePage);
}

std::string BiffRecordReader::latin1String(int lengthBytes)
{
    return Utf8FromUtf16(characters(length(lengthBytes), false, false));
}

void BiffRecordReader::damaged(const std::string& problem) const
{
    throw DamagedWorkbook("record " + hex(m_record.type) + " at byte " + std::to_string(m_record.offset) +
                          " " + problem);
}

} // namespace ostrevo
