// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "spreadsheet/biffworkbook.h"

#include "spreadsheet/unreadableworkbook.h"
#include "xlsbuilders.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace ostrevo {
namespace {

using namespace test::xls;
using Part = SheetDateTime::Part;

// XF 0 general, 1 built-in date (14), 2 custom date (164), 3 time (21), 4 date and time (22).
std::string formatsAndXfs(bool biff8 = true)
{
    const std::string format = biff8 ? record(rec::kFormat, u16(164) + unicodeString(u"yyyy\\-mm\\-dd"))
                                     : record(rec::kFormatBiff5, u16(164) + byteString("yyyy\\-mm\\-dd", 1));
    return format + xf(0, biff8) + xf(14, biff8) + xf(164, biff8) + xf(21, biff8) + xf(22, biff8);
}

SheetContents read(const std::string& stream)
{
    return ReadBiffWorkbook(bytesOf(stream));
}

SheetContents readSheet(const std::string& sheetRecords, const std::string& globals = formatsAndXfs())
{
    return read(workbookStream(globals, sheetRecords));
}

// The value at a 1-based column and row.
CellValue valueAt(const SheetContents& contents, int column, int row)
{
    const CellPosition cell{column, row};
    return contents.block(CellRange{cell, cell}).at(1, 1);
}

std::string textAt(const SheetContents& contents, int column, int row)
{
    return CellText(valueAt(contents, column, row));
}

std::string refusal(const std::string& stream)
{
    try {
        read(stream);
    } catch (const UnreadableWorkbook& error) {
        return error.what();
    }
    return "(read)";
}

std::uint32_t rkInteger(std::int32_t value, bool hundredths = false)
{
    return static_cast<std::uint32_t>(value) << 2 | 0x2 | (hundredths ? 0x1 : 0x0);
}

// The high 30 bits of a double.
std::uint32_t rkDouble(double value, bool hundredths = false)
{
    return static_cast<std::uint32_t>(std::bit_cast<std::uint64_t>(value) >> 32) | (hundredths ? 0x1 : 0x0);
}

TEST(BiffWorkbook, NumbersInEveryEncoding)
{
    const SheetContents sheet = readSheet(
        number(0, 0, 3.25) + record(rec::kRk, cell(1, 0) + u32(rkInteger(42))) +
        record(rec::kRk, cell(2, 0) + u32(rkInteger(-7))) +
        record(rec::kRk, cell(3, 0) + u32(rkInteger(1234, true))) +
        record(rec::kRk, cell(4, 0) + u32(rkDouble(1.5))) +
        record(rec::kRk, cell(5, 0) + u32(rkDouble(1.5, true))) +
        // Three columns of row 7 in one record, the middle one a date.
        record(rec::kMulRk, u16(6) + u16(1) + u16(0) + u32(rkInteger(-536870912)) + u16(1) +
                                u32(rkInteger(45966)) + u16(0) + u32(rkDouble(-2.0)) + u16(3)) +
        record(rec::kBlank, cell(7, 0)) + record(rec::kMulBlank, u16(7) + u16(1) + u16(0) + u16(0) + u16(2)));
    EXPECT_EQ(textAt(sheet, 1, 1), "3.25");
    EXPECT_EQ(textAt(sheet, 1, 2), "42");
    EXPECT_EQ(textAt(sheet, 1, 3), "-7");
    EXPECT_EQ(textAt(sheet, 1, 4), "12.34");
    EXPECT_EQ(textAt(sheet, 1, 5), "1.5");
    EXPECT_EQ(textAt(sheet, 1, 6), "0.015");
    EXPECT_EQ(textAt(sheet, 2, 7), "-536870912");
    EXPECT_EQ(textAt(sheet, 3, 7), "2025/11/05");
    EXPECT_EQ(textAt(sheet, 4, 7), "-2");
    EXPECT_EQ(sheet.usedRange(), (CellRange{{1, 1}, {4, 7}})); // blanks hold no value

    // A number Excel cannot hold is shown as its error.
    const SheetContents nan = readSheet(number(0, 0, std::numeric_limits<double>::quiet_NaN()) +
                                        number(0, 1, std::numeric_limits<double>::infinity()));
    EXPECT_EQ(valueAt(nan, 1, 1), CellValue(CellError{}));
    EXPECT_EQ(valueAt(nan, 2, 1), CellValue(CellError{}));
}

TEST(BiffWorkbook, DateFormatsMakeDatesInEitherDateSystem)
{
    const std::string cells = number(0, 0, 45966.0, 1) + number(0, 1, 45966.0, 2) + number(0, 2, 0.75, 3) +
                              number(0, 3, 45966.5625, 4) + number(0, 4, 45966.0, 0) +
                              number(0, 5, 45966.0, 99); // an XF that does not exist: no format
    const SheetContents sheet = readSheet(cells);
    EXPECT_EQ(valueAt(sheet, 1, 1), CellValue(SheetDateTime{2025, 11, 5, 0, 0, 0, Part::Date}));
    EXPECT_EQ(textAt(sheet, 2, 1), "2025/11/05");
    EXPECT_EQ(textAt(sheet, 3, 1), "18:00:00");
    EXPECT_EQ(textAt(sheet, 4, 1), "2025/11/05 13:30:00");
    EXPECT_EQ(valueAt(sheet, 5, 1), CellValue(45966.0));
    EXPECT_EQ(valueAt(sheet, 6, 1), CellValue(45966.0));

    const SheetContents date1904 = readSheet(number(0, 0, 0.0, 1) + number(0, 1, 44504.0, 1),
                                             record(rec::kDateMode, u16(1)) + formatsAndXfs());
    EXPECT_EQ(textAt(date1904, 1, 1), "1904/01/01");
    EXPECT_EQ(textAt(date1904, 2, 1), "2025/11/05");
}

TEST(BiffWorkbook, BooleansErrorsAndFormulaResults)
{
    const SheetContents sheet =
        readSheet(record(rec::kBoolErr, cell(0, 0) + u8(1) + u8(0)) +
                  record(rec::kBoolErr, cell(0, 1) + u8(0) + u8(0)) +
                  record(rec::kBoolErr, cell(0, 2) + u8(0x07) + u8(1)) + formula(1, 0, f64(2.5)) +
                  formula(1, 1, f64(45966.0), 1) +
                  // Text results follow in a STRING record, after a shared formula if there is one.
                  formula(2, 0, specialResult(0)) + record(rec::kSharedFormula, std::string(10, '\0')) +
                  record(rec::kString, unicodeString(u"computed")) + formula(2, 1, specialResult(0)) +
                  record(rec::kString, unicodeString(u"\u20AC 5")) + formula(3, 0, specialResult(1, 1)) +
                  formula(3, 1, specialResult(2, 0x07)) + formula(3, 2, specialResult(3)) +
                  // A STRING record without a formula before it belongs to no cell.
                  record(rec::kString, unicodeString(u"stray")));
    EXPECT_EQ(valueAt(sheet, 1, 1), CellValue(true));
    EXPECT_EQ(valueAt(sheet, 2, 1), CellValue(false));
    EXPECT_EQ(valueAt(sheet, 3, 1), CellValue(CellError{}));
    EXPECT_EQ(valueAt(sheet, 1, 2), CellValue(2.5));
    EXPECT_EQ(textAt(sheet, 2, 2), "2025/11/05");
    EXPECT_EQ(valueAt(sheet, 1, 3), CellValue(std::string("computed")));
    EXPECT_EQ(textAt(sheet, 2, 3), "\xE2\x82\xAC 5");
    EXPECT_EQ(valueAt(sheet, 1, 4), CellValue(true));
    EXPECT_EQ(valueAt(sheet, 2, 4), CellValue(CellError{}));
    EXPECT_EQ(sheet.size(), 9u); // the empty text result and the stray string are no values
}

TEST(BiffWorkbook, CellTextInBiff8)
{
    const std::string sst =
        record(rec::kSst, u32(2) + u32(2) + unicodeString(u"first") + unicodeString(u"second"));
    const SheetContents sheet = readSheet(
        label(0, 0, u"Z\u00FCrich") + label(0, 1, u"\u20AC \U0001D11E") +
            record(rec::kLabel, cell(0, 2) + u16(2) + u8(1) + u16(0xD800) + u16('x')) + // a lone surrogate
            record(rec::kRichString, cell(1, 0) + unicodeString(u"rich") + u16(1) + u16(0) + u16(1)) +
            record(rec::kLabelSst, cell(1, 1) + u32(1)),
        formatsAndXfs() + sst);
    EXPECT_EQ(textAt(sheet, 1, 1), "Z\xC3\xBCrich");
    EXPECT_EQ(textAt(sheet, 2, 1), "\xE2\x82\xAC \xF0\x9D\x84\x9E");
    EXPECT_EQ(textAt(sheet, 3, 1), "\xEF\xBF\xBDx");
    EXPECT_EQ(textAt(sheet, 1, 2), "rich");
    EXPECT_EQ(textAt(sheet, 2, 2), "second");

    const std::string pastTheEnd =
        workbookStream(formatsAndXfs() + sst, record(rec::kLabelSst, cell(0, 0) + u32(5)));
    EXPECT_NE(refusal(pastTheEnd).find("refers to shared string 5, which does not exist"), std::string::npos);
}

TEST(BiffWorkbook, SharedStringsContinueAcrossRecords)
{
    // Characters cut by a CONTINUE record go on after a new flags byte, which
    // may switch between single bytes and UTF-16; other fields just go on.
    const std::string sst =
        record(rec::kSst, u32(6) + u32(6) + unicodeString(u"plain") + u16(6) + u8(0) + "abc") +
        record(rec::kContinue,
               u8(1) + u16('d') + u16(0x20AC) + u16('f') + u16(3) + u8(1) + u16(0x100) + u16(0x100)) +
        record(rec::kContinue, u8(0) + "x" + u16(2) + u8(0x08) + u16(2) + "ok" + u32(0)) +
        record(rec::kContinue, u32(0) + unicodeString(u"next") + u16(3) + u8(0x04) + u32(5) + "abc" + "ext") +
        record(rec::kContinue, "..");
    std::string cells;
    for (unsigned i = 0; i < 6; ++i) {
        cells += record(rec::kLabelSst, cell(i, 0) + u32(i));
    }
    const SheetContents sheet = readSheet(cells, formatsAndXfs() + sst);
    const std::vector<std::string> expected{"plain",
                                            "abcd\xE2\x82\xAC"
                                            "f",
                                            "\xC4\x80\xC4\x80x",
                                            "ok",
                                            "next",
                                            "abc"};
    for (unsigned i = 0; i < 6; ++i) {
        EXPECT_EQ(textAt(sheet, 1, static_cast<int>(i) + 1), expected[i]) << i;
    }
}

TEST(BiffWorkbook, DamagedSharedStringsAreRefused)
{
    const std::string cut = workbookStream(record(rec::kSst, u32(1) + u32(1) + u16(10) + u8(0) + "abc"), "");
    EXPECT_EQ(refusal(cut), "the file is damaged (record 0x00FC at byte 20 ends inside a string)");

    // One byte of a UTF-16 character at the end of a part.
    const std::string split = workbookStream(record(rec::kSst, u32(1) + u32(1) + u16(2) + u8(1) + "a") +
                                                 record(rec::kContinue, u8(1) + u16('b')),
                                             "");
    EXPECT_EQ(refusal(split), "the file is damaged (record 0x00FC at byte 20 splits a character)");

    // Rich text runs claimed beyond the record.
    const std::string runs =
        workbookStream(record(rec::kSst, u32(1) + u32(1) + u16(1) + u8(0x08) + u16(500) + "a"), "");
    EXPECT_EQ(refusal(runs), "the file is damaged (record 0x00FC at byte 20 is too short)");
}

TEST(BiffWorkbook, ReadsTheActiveWorksheet)
{
    const std::vector<BiffSheet> sheets{
        {label(0, 0, u"first"), 0}, {std::string(), 2}, {label(0, 0, u"third"), 0}};
    const auto firstCell = [&](const std::string& globals) {
        return textAt(read(workbookStream(globals, sheets)), 1, 1);
    };
    EXPECT_EQ(firstCell(window1(2)), "third");
    EXPECT_EQ(firstCell(window1(2) + window1(0)), "third"); // the first window is the one shown
    EXPECT_EQ(firstCell(window1(1)), "first");              // a chart: the first worksheet
    EXPECT_EQ(firstCell(window1(7)), "first");
    EXPECT_EQ(firstCell(""), "first");

    EXPECT_EQ(refusal(workbookStream("", std::vector<BiffSheet>{{std::string(), 2}})),
              "it holds no worksheet");
    EXPECT_EQ(refusal(workbookStream("", std::vector<BiffSheet>{})), "it holds no worksheet");

    // An embedded chart's substream inside the sheet neither ends it nor adds values.
    const SheetContents withChart =
        readSheet(label(0, 0, u"before") + bof(true, 0x0020) + label(5, 5, u"chart") + record(rec::kEof) +
                  label(1, 0, u"after"));
    EXPECT_EQ(textAt(withChart, 1, 2), "after");
    EXPECT_EQ(withChart.size(), 2u);
}

TEST(BiffWorkbook, Biff5TextInItsCodePage)
{
    const std::string globals = record(rec::kCodePage, u16(1252)) + formatsAndXfs(false);
    const SheetContents sheet = read(workbookStream(
        globals,
        record(rec::kLabel, cell(0, 0) + byteString("Z\xFCrich \x80")) + number(0, 1, 45966.0, 2) +
            formula(0, 2, specialResult(0)) + record(rec::kString, byteString("r\xE9sultat")),
        false));
    EXPECT_EQ(textAt(sheet, 1, 1), "Z\xC3\xBCrich \xE2\x82\xAC");
    EXPECT_EQ(textAt(sheet, 2, 1), "2025/11/05");
    EXPECT_EQ(textAt(sheet, 3, 1), "r\xC3\xA9sultat");

    // Other single-byte pages read in their own letters; the double-byte
    // Asian ones only as far as their text is ASCII.
    const auto firstCell = [](std::uint16_t codePage, const std::string& bytes) {
        const std::string pageGlobals = record(rec::kCodePage, u16(codePage)) + formatsAndXfs(false);
        return textAt(
            read(workbookStream(pageGlobals, record(rec::kLabel, cell(0, 0) + byteString(bytes)), false)), 1,
            1);
    };
    EXPECT_EQ(firstCell(1251, "\xCC\xEE\xF1\xEA\xE2\xE0"),
              "\xD0\x9C\xD0\xBE\xD1\x81\xD0\xBA\xD0\xB2\xD0\xB0");
    EXPECT_EQ(firstCell(0x8000, "\x8E\xA5"), "\xC3\xA9\xE2\x80\xA2"); // Mac Roman: not Windows-1252
    EXPECT_EQ(firstCell(1253, "\xAA"), "\xEF\xBF\xBD");               // unassigned in Greek
    EXPECT_EQ(firstCell(932, "plain"), "plain");
    const std::string japanese = record(rec::kCodePage, u16(932)) + formatsAndXfs(false);
    EXPECT_EQ(
        refusal(workbookStream(japanese, record(rec::kLabel, cell(0, 0) + byteString("\x82\xA0")), false)),
        "its text is in a character set that cannot be read (code page 932)");
}

TEST(BiffWorkbook, ForeignAndProtectedStreamsAreRefused)
{
    EXPECT_EQ(
        refusal(workbookStream(record(rec::kFilePass, u16(1) + std::string(52, '\0')), label(0, 0, u"x"))),
        "it is protected by a password");
    EXPECT_EQ(refusal(""), "it holds no Excel workbook (its workbook stream is empty)");
    EXPECT_EQ(refusal(record(0x0409, u16(0) + u16(0x10)) + record(rec::kEof)),
              "it is an Excel 2 to 4 file, which cannot be read; save it as .xlsx");
    EXPECT_EQ(refusal(number(0, 0, 1.0)),
              "the file is damaged or is not an Excel workbook (its workbook stream does "
              "not start with a BOF record)");
    EXPECT_EQ(refusal(record(rec::kBof, u16(0x0400) + u16(5)) + record(rec::kEof)),
              "its Excel version cannot be read (BIFF version 0x0400)");
}

TEST(BiffWorkbook, TruncatedAndInconsistentRecordsAreDamage)
{
    const std::string whole = workbookStream(formatsAndXfs(), number(0, 0, 1.0) + number(1, 0, 2.0));
    const std::size_t lastNumber = whole.size() - 4 - 18;
    EXPECT_EQ(refusal(whole.substr(0, whole.size() - 6)), "the file is damaged (record 0x0203 at byte " +
                                                              std::to_string(lastNumber) +
                                                              " runs past the end of the workbook stream)");
    EXPECT_EQ(refusal(whole.substr(0, whole.size() - 2)),
              "the file is damaged (the workbook stream ends inside the record at byte " +
                  std::to_string(whole.size() - 4) + ")");
    EXPECT_EQ(refusal(whole.substr(0, whole.size() - 4)),
              "the file is damaged (its worksheet has no end record)");

    const std::string shortNumber = workbookStream("", record(rec::kNumber, cell(0, 0) + u32(0)));
    EXPECT_NE(refusal(shortNumber).find("record 0x0203 at byte "), std::string::npos);
    EXPECT_NE(refusal(shortNumber).find(" is too short)"), std::string::npos);

    const std::string oddMulRk =
        workbookStream("", record(rec::kMulRk, u16(0) + u16(0) + u16(0) + u32(2) + u8(0)));
    EXPECT_NE(refusal(oddMulRk).find("has a size that holds no whole number of cells"), std::string::npos);

    EXPECT_EQ(refusal(workbookStream("", number(0, 20000, 1.0))),
              "the file is damaged (a cell of row 1 lies past the last column)");

    const std::string noGlobalsEnd = bof(true, 5) + formatsAndXfs();
    EXPECT_EQ(refusal(noGlobalsEnd), "the file is damaged (the workbook globals have no end record)");

    std::string pastTheStream = workbookStream("", label(0, 0, u"x"));
    patch32(pastTheStream, bof(true, 5).size() + 4, 1'000'000);
    EXPECT_EQ(refusal(pastTheStream),
              "the file is damaged (its worksheet starts past the end of the workbook stream)");

    std::string notABof = workbookStream("", label(0, 0, u"x"));
    patch32(notABof, bof(true, 5).size() + 4, static_cast<std::uint32_t>(bof(true, 5).size()));
    EXPECT_EQ(refusal(notABof), "the file is damaged (its worksheet does not start with a BOF record)");
}

} // namespace
} // namespace ostrevo
