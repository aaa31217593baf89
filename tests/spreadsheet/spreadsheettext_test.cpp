// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "spreadsheet/spreadsheettext.h"

#include "platform/errors.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ostrevo {
namespace {

using Rows = std::vector<std::vector<std::string>>;

// The sheet as its used range's address and the texts of its block.
struct Sheet {
    std::string address;
    Rows rows;
    bool operator==(const Sheet&) const = default;
};

void PrintTo(const Sheet& sheet, std::ostream* out)
{
    *out << sheet.address << " {";
    for (const auto& row : sheet.rows) {
        *out << " [";
        for (const auto& cell : row) {
            *out << '"' << cell << "\" ";
        }
        *out << "]";
    }
    *out << " }";
}

Sheet sheetOf(std::string_view data)
{
    LoadedSheet sheet("list.xls", ReadDelimitedSheet(data, "list.xls"));
    Sheet out{sheet.UsedRangeAddress(), {}};
    const CellBlock block = sheet.RangeValue(CellRangeAddress(UsedRangeFromAddress(out.address)));
    for (int r = 1; r <= block.rows; ++r) {
        out.rows.emplace_back();
        for (int c = 1; c <= block.columns; ++c) {
            out.rows.back().push_back(CellText(block.at(r, c)));
        }
    }
    return out;
}

TEST(ReadDelimitedSheet, TheProgramsOwnSave)
{
    EXPECT_EQ(sheetOf("Web sites,Email,Expires\r\nhttp://a.com,mailto:a@a.com,2025/11/05\r\n"),
              (Sheet{"$A$1:$C$2",
                     {{"Web sites", "Email", "Expires"}, {"http://a.com", "mailto:a@a.com", "2025/11/05"}}}));
}

TEST(ReadDelimitedSheet, DetectsTheDelimiterAsTheResultFileReaderDoes)
{
    EXPECT_EQ(sheetOf("a;b;c\r\nd;e;f\r\n"), (Sheet{"$A$1:$C$2", {{"a", "b", "c"}, {"d", "e", "f"}}}));
    EXPECT_EQ(sheetOf("a\tb\r\nc\td\r\n"), (Sheet{"$A$1:$B$2", {{"a", "b"}, {"c", "d"}}}));
    // Counts that differ between the first two lines: a comma is used.
    EXPECT_EQ(sheetOf("a;b,c\r\nd;e;f\r\n"), (Sheet{"$A$1:$B$2", {{"a;b", "c"}, {"d;e;f", ""}}}));
}

TEST(ReadDelimitedSheet, QuotedFieldsAndLineEnds)
{
    // A quoted field holds the delimiter and doubled quotes; a lone LF ends
    // a line; a line ending with the delimiter has no last field.
    EXPECT_EQ(sheetOf("\"x,y\",\"say \"\"hi\"\"\"\r\na\nb,c,\r\n"),
              (Sheet{"$A$1:$B$3", {{"x,y", "say \"hi\""}, {"a", ""}, {"b", "c"}}}));
}

TEST(ReadDelimitedSheet, TheUsedRangeFollowsTheValues)
{
    // Leading empty lines and columns are outside it, inner ones inside.
    EXPECT_EQ(sheetOf("\r\n,,\r\n,x,\r\n\r\n,,y\r\n\r\n"),
              (Sheet{"$B$3:$C$5", {{"x", ""}, {"", ""}, {"", "y"}}}));
    EXPECT_EQ(sheetOf(",,\r\n,,lonely\r\n"), (Sheet{"$C$2", {{"lonely"}}}));
}

TEST(ReadDelimitedSheet, EmptyTextIsAnEmptySheet)
{
    EXPECT_EQ(sheetOf(""), (Sheet{"$A$1", {{""}}}));
    EXPECT_EQ(sheetOf("\r\n,,\r\n"), (Sheet{"$A$1", {{""}}}));
    EXPECT_EQ(sheetOf("\x1A"
                      "a,b\r\n"),
              (Sheet{"$A$1", {{""}}}));
}

TEST(ReadDelimitedSheet, SkipsAByteOrderMark)
{
    EXPECT_EQ(sheetOf("\xEF\xBB\xBFWeb sites,Email\r\n"), (Sheet{"$A$1:$B$1", {{"Web sites", "Email"}}}));
}

TEST(ReadDelimitedSheet, BinaryDataIsNotText)
{
    for (const std::string_view data :
         {std::string_view("\x09\x08\x10\0\0\x06", 6),
          std::string_view("junk\x01\x02\x03\x04\x05\x06\x07\x0e\x0f\x10\x11")}) {
        try {
            ReadDelimitedSheet(data, "/data/old.xls");
            ADD_FAILURE() << "no error";
        } catch (const EResultListError& error) {
            EXPECT_STREQ(error.what(),
                         "Cannot import /data/old.xls: it is neither an Excel workbook nor delimited text");
        }
    }
}

TEST(ReadDelimitedSheet, MoreFieldsThanASheetHasColumnsIsAnError)
{
    const std::string line = std::string(static_cast<std::size_t>(kSheetMaxColumns), ',') + "x\r\n";
    EXPECT_THROW(ReadDelimitedSheet(line, "wide.xls"), EResultListError);
    EXPECT_NO_THROW(ReadDelimitedSheet(line.substr(1), "wide.xls"));
}

TEST(LoadedSheet, LaterValuesReplaceEarlierOnesAndBadAddressesAreErrors)
{
    SheetContents contents;
    contents.add({2, 2}, std::string("first"));
    contents.add({2, 2}, std::string("second"));
    contents.add({4, 1}, CellValue{});   // empty: not part of the used range
    contents.add({5, 5}, std::string()); // neither is an empty text
    LoadedSheet sheet("f.xls", std::move(contents));
    EXPECT_EQ(sheet.UsedRangeAddress(), "$B$2");
    EXPECT_EQ(CellText(sheet.RangeValue("B2").at(1, 1)), "second");
    const CellBlock wider = sheet.RangeValue("A1:C3");
    EXPECT_EQ(wider.rows, 3);
    EXPECT_EQ(wider.columns, 3);
    EXPECT_EQ(CellText(wider.at(2, 2)), "second");
    EXPECT_EQ(CellText(wider.at(1, 1)), "");
    EXPECT_THROW(sheet.RangeValue("not a range"), EResultListError);
}

} // namespace
} // namespace ostrevo
