// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "spreadsheet/biffworkbook.h"

#include "spreadsheet/biffrecords.h"
#include "spreadsheet/spreadsheetformat.h"
#include "spreadsheet/unreadableworkbook.h"

#include <bit>
#include <cmath>
#include <cstdio>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ostrevo {

namespace {

namespace record {
constexpr std::uint16_t kBof = 0x0809;
constexpr std::uint16_t kEof = 0x000A;
constexpr std::uint16_t kFilePass = 0x002F;
constexpr std::uint16_t kCodePage = 0x0042;
constexpr std::uint16_t kDateMode = 0x0022;
constexpr std::uint16_t kFormat = 0x041E;
constexpr std::uint16_t kFormatBiff5 = 0x001E;
constexpr std::uint16_t kXf = 0x00E0;
constexpr std::uint16_t kSst = 0x00FC;
constexpr std::uint16_t kBoundSheet = 0x0085;
constexpr std::uint16_t kWindow1 = 0x003D;
constexpr std::uint16_t kLabel = 0x0204;
constexpr std::uint16_t kLabelSst = 0x00FD;
constexpr std::uint16_t kRichString = 0x00D6;
constexpr std::uint16_t kNumber = 0x0203;
constexpr std::uint16_t kRk = 0x027E;
constexpr std::uint16_t kMulRk = 0x00BD;
constexpr std::uint16_t kBoolErr = 0x0205;
constexpr std::uint16_t kFormula = 0x0006;
constexpr std::uint16_t kString = 0x0207;
} // namespace record

constexpr std::uint16_t kBiff5 = 0x0500;
constexpr std::uint16_t kBiff8 = 0x0600;
constexpr std::uint8_t kWorksheet = 0; // BOUNDSHEET's sheet type
constexpr std::uint16_t kDefaultCodePage = 1252;

// All shared strings in one buffer, so that a table of many empty strings
// takes no more memory than the file.
class SharedStrings {
public:
    void add(std::string_view text)
    {
        m_text += text;
        if (m_text.size() > UINT32_MAX) {
            throw UnreadableWorkbook("its shared strings hold more than 4 GiB of text");
        }
        m_ends.push_back(static_cast<std::uint32_t>(m_text.size()));
    }
    std::size_t size() const { return m_ends.size(); }
    std::string operator[](std::size_t index) const
    {
        const std::size_t begin = index == 0 ? 0 : m_ends[index - 1];
        return m_text.substr(begin, m_ends[index] - begin);
    }

private:
    std::string m_text;
    std::vector<std::uint32_t> m_ends;
};

struct SheetEntry {
    std::uint32_t offset = 0;
    std::uint8_t type = 0;
    std::string name;
};

} // namespace

// What the workbook globals say about the sheets and their values.
struct BiffWorkbook::Globals {
    bool biff8 = true;
    bool date1904 = false;
    std::uint16_t codePage = kDefaultCodePage;
    std::map<int, DateFormatKind> customFormats;
    std::vector<int> xfFormats;
    SharedStrings sharedStrings;
    std::vector<SheetEntry> sheets; // the first kMaxWorkbookSheets tabs
    std::optional<std::uint16_t> activeTab;
};

namespace {

using Globals = BiffWorkbook::Globals;

// The format index of the BOF's version, after checking it is a BIFF 5 or 8 BOF.
std::uint16_t biffVersion(const BiffRecord& bof)
{
    switch (bof.type) {
    case record::kBof:
        break;
    case 0x0009: // BIFF2
    case 0x0209: // BIFF3
    case 0x0409: // BIFF4
        throw UnreadableWorkbook("it is an Excel 2 to 4 file, which cannot be read; save it as .xlsx");
    default:
        throw UnreadableWorkbook("the file is damaged or is not an Excel workbook (its workbook stream does "
                                 "not start with a BOF record)");
    }
    BiffRecordReader reader(bof);
    const std::uint16_t version = reader.u16();
    if (version != kBiff5 && version != kBiff8) {
        char hex[8];
        std::snprintf(hex, sizeof hex, "0x%04X", version);
        throw UnreadableWorkbook(std::string("its Excel version cannot be read (BIFF version ") + hex + ")");
    }
    return version;
}

SharedStrings readSharedStrings(const BiffRecord& sst)
{
    BiffRecordReader reader(sst);
    reader.u32(); // references to the strings, not their number
    const std::uint32_t count = reader.u32();
    // Each string takes three bytes at least: the record bounds the count.
    SharedStrings strings;
    while (strings.size() < count && !reader.atEnd()) {
        strings.add(reader.unicodeString(2));
    }
    return strings;
}

Globals readGlobals(std::span<const std::uint8_t> stream)
{
    BiffRecordStream records(stream, 0);
    BiffRecord current;
    if (!records.next(current)) {
        throw UnreadableWorkbook("it holds no Excel workbook (its workbook stream is empty)");
    }
    Globals globals;
    globals.biff8 = biffVersion(current) == kBiff8;
    while (records.next(current)) {
        BiffRecordReader reader(current);
        switch (current.type) {
        case record::kEof:
            return globals;
        case record::kFilePass:
            throw UnreadableWorkbook("it is protected by a password");
        case record::kCodePage:
            globals.codePage = reader.u16();
            break;
        case record::kDateMode:
            globals.date1904 = reader.u16() == 1;
            break;
        case record::kFormat:
        case record::kFormatBiff5: {
            const std::uint16_t id = reader.u16();
            const std::string code = globals.biff8 ? reader.unicodeString(2) : reader.latin1String(1);
            globals.customFormats[id] = FormatCodeKind(code);
            break;
        }
        case record::kXf:
            reader.u16(); // font
            globals.xfFormats.push_back(reader.u16());
            break;
        case record::kSst:
            globals.sharedStrings = readSharedStrings(current);
            break;
        case record::kBoundSheet: {
            if (globals.sheets.size() >= kMaxWorkbookSheets) {
                break;
            }
            SheetEntry sheet;
            sheet.offset = reader.u32();
            reader.u8(); // visibility
            sheet.type = reader.u8();
            // Only shown to the user: a name that cannot be read is left out
            // rather than the workbook refused.
            try {
                sheet.name = globals.biff8 ? reader.unicodeString(1) : reader.byteString(1, globals.codePage);
            } catch (const UnreadableWorkbook&) {
                sheet.name.clear();
            }
            globals.sheets.push_back(std::move(sheet));
            break;
        }
        case record::kWindow1:
            if (!globals.activeTab) { // the first window is the one shown
                reader.skip(10);
                globals.activeTab = reader.u16();
            }
            break;
        default:
            break;
        }
    }
    throw DamagedWorkbook("the workbook globals have no end record");
}

// An RK number: 30 bits of a whole number or the high 30 bits of a double,
// either perhaps a hundredfold.
double rkNumber(std::uint32_t rk)
{
    const double number = (rk & 0x2) != 0 ? static_cast<double>(static_cast<std::int32_t>(rk) >> 2)
                                          : std::bit_cast<double>(std::uint64_t{rk & 0xFFFFFFFC} << 32);
    return (rk & 0x1) != 0 ? number / 100 : number;
}

class SheetReader {
public:
    SheetReader(const Globals& globals, SheetContents& contents) : m_globals(globals), m_contents(contents)
    {
        for (const int format : globals.xfFormats) {
            const auto custom = globals.customFormats.find(format);
            m_xfKinds.push_back(custom != globals.customFormats.end() ? custom->second
                                                                      : BuiltInFormatKind(format));
        }
    }

    // With `firstValueOnly`, stops once a value is kept: enough to know the
    // sheet holds cells.
    void read(std::span<const std::uint8_t> stream, std::uint32_t offset, bool firstValueOnly = false)
    {
        if (offset >= stream.size()) {
            throw DamagedWorkbook("its worksheet starts past the end of the workbook stream");
        }
        BiffRecordStream records(stream, offset);
        BiffRecord current;
        if (!records.next(current) || current.type != record::kBof) {
            throw DamagedWorkbook("its worksheet does not start with a BOF record");
        }
        // Embedded charts are substreams of their own, BOF to EOF, inside the sheet.
        int depth = 1;
        while (records.next(current)) {
            if (current.type == record::kBof) {
                ++depth;
            } else if (current.type == record::kEof) {
                if (--depth == 0) {
                    return;
                }
            } else if (depth == 1) {
                readCell(current);
                if (firstValueOnly && m_contents.size() > 0) {
                    return;
                }
            }
        }
        throw DamagedWorkbook("its worksheet has no end record");
    }

private:
    struct Cell {
        std::uint16_t row = 0;
        std::uint16_t column = 0;
        std::uint16_t xf = 0;
    };

    Cell cellOf(BiffRecordReader& reader) const
    {
        Cell cell;
        cell.row = reader.u16();
        cell.column = reader.u16();
        cell.xf = reader.u16();
        return cell;
    }

    void readCell(const BiffRecord& current)
    {
        BiffRecordReader reader(current);
        switch (current.type) {
        case record::kNumber: {
            const Cell cell = cellOf(reader);
            add(cell, numberValue(reader.f64(), cell.xf));
            break;
        }
        case record::kRk: {
            const Cell cell = cellOf(reader);
            add(cell, numberValue(rkNumber(reader.u32()), cell.xf));
            break;
        }
        case record::kMulRk:
            readMulRk(reader);
            break;
        case record::kLabel:
        case record::kRichString: {
            const Cell cell = cellOf(reader);
            add(cell, text(reader));
            break;
        }
        case record::kLabelSst: {
            const Cell cell = cellOf(reader);
            const std::uint32_t index = reader.u32();
            if (index >= m_globals.sharedStrings.size()) {
                reader.damaged("refers to shared string " + std::to_string(index) + ", which does not exist");
            }
            add(cell, m_globals.sharedStrings[index]);
            break;
        }
        case record::kBoolErr: {
            const Cell cell = cellOf(reader);
            const std::uint8_t value = reader.u8();
            add(cell, reader.u8() != 0 ? CellValue(CellError{}) : CellValue(value != 0));
            break;
        }
        case record::kFormula:
            readFormula(reader);
            break;
        case record::kString:
            if (m_pendingString) {
                const Cell cell = *m_pendingString;
                m_pendingString.reset();
                add(cell, text(reader));
            }
            break;
        default:
            break;
        }
    }

    void readMulRk(BiffRecordReader& reader)
    {
        // Row, first column, then an XF and an RK per column, then the last column.
        const std::size_t size = reader.leftInFirstPart();
        if (size < 6 || (size - 6) % 6 != 0) {
            reader.damaged("has a size that holds no whole number of cells");
        }
        Cell cell;
        cell.row = reader.u16();
        const std::uint16_t first = reader.u16();
        for (std::size_t i = 0; i < (size - 6) / 6; ++i) {
            if (first + i > 0xFFFF) {
                reader.damaged("runs past the last column");
            }
            cell.column = static_cast<std::uint16_t>(first + i);
            cell.xf = reader.u16();
            add(cell, numberValue(rkNumber(reader.u32()), cell.xf));
        }
    }

    void readFormula(BiffRecordReader& reader)
    {
        // The cached result: a double, or a marker 0xFFFF in its last two bytes
        // and the kind of value in its first.
        const Cell cell = cellOf(reader);
        std::uint8_t result[8];
        for (std::uint8_t& byte : result) {
            byte = reader.u8();
        }
        m_pendingString.reset();
        if (result[6] != 0xFF || result[7] != 0xFF) {
            std::uint64_t bits = 0;
            for (int i = 7; i >= 0; --i) {
                bits = bits << 8 | result[i];
            }
            add(cell, numberValue(std::bit_cast<double>(bits), cell.xf));
            return;
        }
        switch (result[0]) {
        case 0: // text, in the STRING record that follows
            m_pendingString = cell;
            break;
        case 1:
            add(cell, result[2] != 0);
            break;
        case 2:
            add(cell, CellError{});
            break;
        default: // 3: empty text
            break;
        }
    }

    std::string text(BiffRecordReader& reader) const
    {
        return m_globals.biff8 ? reader.unicodeString(2) : reader.byteString(2, m_globals.codePage);
    }

    CellValue numberValue(double number, std::uint16_t xf) const
    {
        if (!std::isfinite(number)) {
            return CellError{}; // what Excel shows as #NUM!
        }
        if (xf < m_xfKinds.size() && m_xfKinds[xf]) {
            if (const std::optional<SheetDateTime> date =
                    DateFromSerial(number, m_globals.date1904, *m_xfKinds[xf])) {
                return *date;
            }
        }
        return number;
    }

    void add(const Cell& cell, CellValue value)
    {
        if (cell.column >= kSheetMaxColumns) {
            throw DamagedWorkbook("a cell of row " + std::to_string(cell.row + 1) +
                                  " lies past the last column");
        }
        if (!m_contents.add({cell.column + 1, cell.row + 1}, std::move(value))) {
            throw UnreadableWorkbook(m_contents.refusal());
        }
    }

    const Globals& m_globals;
    SheetContents& m_contents;
    std::vector<DateFormatKind> m_xfKinds;
    std::optional<Cell> m_pendingString;
};

} // namespace

BiffWorkbook::BiffWorkbook(std::span<const std::uint8_t> stream)
    : m_stream(stream), m_globals(std::make_unique<Globals>(readGlobals(stream)))
{
    const std::vector<SheetEntry>& sheets = m_globals->sheets;
    for (std::size_t tab = 0; tab < sheets.size(); ++tab) {
        if (sheets[tab].type == kWorksheet) {
            if (m_globals->activeTab == tab) {
                m_active = m_worksheets.size();
            }
            m_worksheets.push_back(tab);
        }
    }
    if (m_worksheets.empty()) {
        throw UnreadableWorkbook("it holds no worksheet");
    }
}

BiffWorkbook::~BiffWorkbook() = default;

std::vector<WorksheetSummary> BiffWorkbook::worksheets() const
{
    std::vector<WorksheetSummary> summaries;
    for (std::size_t i = 0; i < m_worksheets.size(); ++i) {
        const SheetEntry& sheet = m_globals->sheets[m_worksheets[i]];
        SheetContents contents;
        bool holdsCells = true;
        try {
            SheetReader(*m_globals, contents).read(m_stream, sheet.offset, true);
            holdsCells = contents.size() > 0;
        } catch (const UnreadableWorkbook&) {
            // Offered all the same: the other sheets stay importable, and
            // picking this one tells why it is not.
        }
        summaries.push_back({sheet.name, holdsCells, i == m_active});
    }
    return summaries;
}

SheetContents BiffWorkbook::sheet(std::size_t index) const
{
    SheetContents contents;
    SheetReader(*m_globals, contents).read(m_stream, m_globals->sheets[m_worksheets.at(index)].offset);
    return contents;
}

SheetContents ReadBiffWorkbook(std::span<const std::uint8_t> stream)
{
    const BiffWorkbook workbook(stream);
    return workbook.sheet(workbook.activeIndex());
}

} // namespace ostrevo
