// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "spreadsheet/xlsxreader.h"

#include "importfixture.h"
#include "spreadsheet/spreadsheetcontents.h"
#include "xlsxbuilder.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace ostrevo {
namespace {

using test::BuiltInServerTest;
using test::kFixtures;
using test::readFile;
using test::rowsOf;
using test::RowTexts;
using test::writeFile;

TEST_F(BuiltInServerTest, XlsxValuesBecomeTheTextsAUserReads)
{
    import(kFixtures / "types.xlsx");
    const std::map<std::string, std::string> expected{
        {"integer", "42"},
        {"negative", "-7"},
        {"decimal", "3.25"},
        {"tenth", "0.1"},
        {"float noise", "0.30000000000000004"},
        {"large", "123456789012"},
        {"exponent", "1e+20"},
        {"true", "TRUE"},
        {"false", "FALSE"},
        {"error", ""},
        {"formula text", "computed"},
        {"date", "2025/11/05"},
        {"datetime", "2025/11/05 13:30:00"},
        {"time", "18:00:00"},
        {"custom date", "2025/11/05"},
        {"locale date", "2025/11/05"},
        {"percent", "0.5"},
        {"quoted d", "2.5"},
        {"iso date", "2025/11/05"},
        {"rich text", "bold and plain"},
        {"escaped", "line\rbreak_x0041_"},
        {"entities", "a & b < c"},
        {"unicode", "Z\xC3\xBCrich \xE2\x82\xAC"},
        {"lotus leap day", "1900/02/29"},
        {"day before", "1900/02/28"},
        {"day after", "1900/03/01"},
        {"elapsed", "36:00:00"},
        {"elapsed minutes", "36:00:00"},
    };
    EXPECT_EQ(labelled(), expected);
}

TEST_F(BuiltInServerTest, XlsxWorkbookDetails)
{
    import(kFixtures / "activesheet.xlsx");
    EXPECT_EQ(rowsOf(table), (std::vector<RowTexts>{{"second sheet", "active"}}));

    import(kFixtures / "date1904.xlsx");
    EXPECT_EQ(rowsOf(table), (std::vector<RowTexts>{{"1904/01/01", "2025/11/05"}}));

    // Rows and cells without a reference follow the ones before them.
    import(kFixtures / "norefs.xlsx");
    EXPECT_EQ(rowsOf(table),
              (std::vector<RowTexts>{
                  {"", "", "", ""}, {"", "b4", "", ""}, {"a1", "b1", "", ""}, {"a3", "", "5", "d3"}}));
}

TEST_F(BuiltInServerTest, DamagedXlsxFilesAreClearErrors)
{
    EXPECT_NE(failure(kFixtures / "broken-sheetxml.xlsx").find("damaged (xl/worksheets/sheet1.xml, line 2:"),
              std::string::npos);
    EXPECT_NE(failure(kFixtures / "broken-sharedstringindex.xlsx").find("refers to shared string 5"),
              std::string::npos);
    EXPECT_NE(failure(kFixtures / "broken-noworkbook.xlsx").find("holds no Excel workbook"),
              std::string::npos);

    const std::string whole = readFile(kFixtures / "basic.xlsx");
    writeFile(temp.file("truncated.xlsx"), whole.substr(0, whole.size() / 2));
    EXPECT_NE(failure(temp.file("truncated.xlsx")).find("damaged"), std::string::npos);

    // A flipped byte inside the compressed sheet: inflating or its checksum fails.
    std::string flipped = whole;
    const std::string sheetName = "xl/worksheets/sheet1.xml";
    const std::size_t local = flipped.find(sheetName); // the first is the local header
    ASSERT_NE(local, std::string::npos);
    flipped[local + sheetName.size() + 20] ^= 0x55;
    writeFile(temp.file("flipped.xlsx"), flipped);
    EXPECT_NE(failure(temp.file("flipped.xlsx")).find("damaged (xl/worksheets/sheet1.xml:"),
              std::string::npos);
}

TEST_F(BuiltInServerTest, XlsxElementsNestedDeeperThanAnyWorkbookAreRefused)
{
    // The sheet's root, sheetData, row, c and v stand five deep already.
    for (const auto& [extra, refused] : {std::pair{60, true}, {1000000, true}, {59, false}}) {
        std::string sheetData = "<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is>";
        for (int i = 0; i < extra; ++i) {
            sheetData += "<x>";
        }
        for (int i = 0; i < extra; ++i) {
            sheetData += "</x>";
        }
        sheetData += "<t>a</t></is></c></row>";
        test::xlsx::writeWorkbook(temp.file("deep.xlsx"), sheetData);
        if (refused) {
            EXPECT_NE(failure(temp.file("deep.xlsx")).find("nest more than 64 deep"), std::string::npos)
                << extra;
        } else {
            import(temp.file("deep.xlsx"));
            EXPECT_EQ(table.Row(0).Caption(), "a");
        }
    }
}

TEST_F(BuiltInServerTest, XlsxCellsTooLongAreRefusedWhileInflating)
{
    const std::string tooLong(SheetContents::kMaxCellCharacters + 1, 'a');
    const std::string longest(SheetContents::kMaxCellCharacters, 'b');
    const std::pair<std::string, std::string> workbooks[] = {
        {"<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c></row>", "<si><t>" + tooLong + "</t></si>"},
        {"<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c></row>",
         "<si><r><t>" + longest + "</t></r><r><t>b</t></r></si>"},
        {"<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>" + tooLong + "</t></is></c></row>", ""},
        {"<row r=\"1\"><c r=\"A1\" t=\"str\"><v>" + tooLong + "</v></c></row>", ""},
    };
    for (const auto& [sheetData, strings] : workbooks) {
        test::xlsx::writeWorkbook(temp.file("long.xlsx"), sheetData, strings);
        EXPECT_NE(failure(temp.file("long.xlsx")).find("a cell holds more than 1048576 characters"),
                  std::string::npos);
    }
    test::xlsx::writeWorkbook(temp.file("longest.xlsx"),
                              "<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c></row>",
                              "<si><t>" + longest + "</t></si>");
    import(temp.file("longest.xlsx"));
    EXPECT_EQ(table.Row(0).Caption(), longest);
}

TEST_F(BuiltInServerTest, SheetsWiderThanTheTableAreRefusedBeforeTheyAreRead)
{
    test::xlsx::writeWorkbook(temp.file("wide.xlsx"), "<row r=\"1\"><c r=\"A1\"><v>1</v></c></row>"
                                                      "<row r=\"512\"><c r=\"XFD512\"><v>2</v></c></row>");
    EXPECT_NE(failure(temp.file("wide.xlsx")).find(" is 16384 columns wide; at most 16383 can be imported"),
              std::string::npos);
    test::xlsx::writeWorkbook(temp.file("widest.xlsx"),
                              "<row r=\"1\"><c r=\"A1\"><v>1</v></c><c r=\"XFC1\"><v>2</v></c></row>");
    import(temp.file("widest.xlsx"));
    EXPECT_EQ(table.ColumnCount(), ResultTable::kMaxColumns);
    EXPECT_EQ(table.Row(0).SubItems().back(), "2");
}

} // namespace
} // namespace ostrevo
