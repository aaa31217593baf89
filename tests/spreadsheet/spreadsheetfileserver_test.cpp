// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "spreadsheet/spreadsheetfileserver.h"

#include "platform/errors.h"
#include "resultlist/resulttable.h"
#include "spreadsheet/spreadsheetbusycursor.h"
#include "spreadsheet/spreadsheetimport.h"
#include "tablehelpers.h"

#include <QCursor>
#include <QGuiApplication>

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace ostrevo {
namespace {

namespace fs = std::filesystem;
using testing::readBytes;
using testing::rowsOf;
using testing::RowTexts;
using testing::TempDir;
using testing::writeBytes;

const fs::path kFixtures = fs::path(OSTREVO_TEST_DATA_DIR) / "spreadsheets";

const std::vector<RowTexts> kBasicRows{{"http://abc.org", "mailto:x@abc.org", "2027/01/31"},
                                       {"http://example.com", "mailto:info@example.com", "2025/11/05"}};
const std::vector<RowTexts> kOffsetRows{{"http://a.com", "mailto:a@a.com", "7"},
                                        {"http://b.com", "mailto:b@b.com", "2026/02/03"},
                                        {"http://c.com", "", "2030/12/24"}};

class BuiltInServerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        testing::setUpProgramTable(table);
        table.AddRow().SetCaption("http://before.com");
    }

    void import(const fs::path& file) { ImportSpreadsheet(table, file, createBuiltInSpreadsheetServer); }

    // The error's message; the table must be left as it was.
    std::string failure(const fs::path& file)
    {
        try {
            import(file);
        } catch (const EResultListError& error) {
            EXPECT_EQ(rowsOf(table), before) << file;
            EXPECT_EQ(table.ColumnCount(), 3);
            const std::string message = error.what();
            EXPECT_NE(message.find(file.string()), std::string::npos) << "names the file: " << message;
            return message;
        }
        ADD_FAILURE() << "no error for " << file;
        return {};
    }

    // Caption → first sub-item, for the sheets of one label and one value per row.
    std::map<std::string, std::string> labelled() const
    {
        std::map<std::string, std::string> values;
        for (const RowTexts& row : rowsOf(table)) {
            values[row.at(0)] = row.size() > 1 ? row[1] : "(no sub-item)";
        }
        return values;
    }

    ResultTable table;
    const std::vector<RowTexts> before{{"http://before.com"}};
    TempDir temp;
};

TEST_F(BuiltInServerTest, ReadsTheSameTwoRowsFromEveryWorkbookFormat)
{
    for (const char* name : {"basic.xlsx", "basic.xls"}) {
        import(kFixtures / name);
        EXPECT_EQ(rowsOf(table), kBasicRows) << name;
        EXPECT_EQ(table.ColumnCount(), 4) << name;
    }
    import(kFixtures / "biff5.xls");
    EXPECT_EQ(rowsOf(table),
              (std::vector<RowTexts>{{"http://abc.org", "Z\xC3\xBCrich", "2.5"},
                                     {"http://example.com", "mailto:info@example.com", "2025/11/05"}}));
}

TEST_F(BuiltInServerTest, ReadsAUsedRangeThatStartsAtB2FromB2)
{
    for (const char* name : {"offset.xlsx", "offset.xls"}) {
        import(kFixtures / name);
        EXPECT_EQ(rowsOf(table), kOffsetRows) << name;
    }
}

TEST_F(BuiltInServerTest, OneCellAndEmptySheets)
{
    import(kFixtures / "onecell.xlsx");
    EXPECT_EQ(rowsOf(table), (std::vector<RowTexts>{{"lonely"}}));

    for (const char* name : {"empty.xlsx", "empty.xls"}) {
        table.AddRow().SetCaption("http://before.com");
        import(kFixtures / name);
        EXPECT_EQ(table.RowCount(), 0) << name;
    }
    // Cells with a style and no value do not widen the used range.
    import(kFixtures / "styledempty.xlsx");
    EXPECT_EQ(rowsOf(table), (std::vector<RowTexts>{{"x"}}));
}

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
    };
    EXPECT_EQ(labelled(), expected);
}

TEST_F(BuiltInServerTest, XlsValuesBecomeTheTextsAUserReads)
{
    import(kFixtures / "types.xls");
    const std::map<std::string, std::string> expected{
        {"integer", "42"},
        {"decimal", "3.25"},
        {"rk integer", "-7"},
        {"rk hundredths", "12.34"},
        {"true", "TRUE"},
        {"error", ""},
        {"date", "2025/11/05"},
        {"custom date", "2025/11/05"},
        {"datetime", "2025/11/05 13:30:00"},
        {"unicode", "Z\xC3\xBCrich \xE2\x82\xAC"},
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

TEST_F(BuiltInServerTest, DelimitedTextSavedUnderASpreadsheetName)
{
    ResultTable saved;
    testing::setUpProgramTable(saved);
    ResultRow& row = saved.AddRow();
    row.SetCaption("http://a.com");
    row.AppendSubItem("mailto:a@a.com");
    row.AppendSubItem("2025/11/05");
    const fs::path file = temp.file("results.xls");
    saved.SaveToDelimitedFile(file);

    import(file);
    // The header line of the save is not a domain.
    EXPECT_EQ(rowsOf(table), (std::vector<RowTexts>{{"http://a.com", "mailto:a@a.com", "2025/11/05"}}));

    writeBytes(temp.file("semicolons.xlsx"),
               "http://b.com;mailto:b@b.com\r\nhttp://a.com;mailto:a@a.com\r\n");
    import(temp.file("semicolons.xlsx"));
    EXPECT_EQ(rowsOf(table), (std::vector<RowTexts>{{"http://a.com", "mailto:a@a.com"},
                                                    {"http://b.com", "mailto:b@b.com"}}));
}

TEST_F(BuiltInServerTest, DamagedXlsxFilesAreClearErrors)
{
    EXPECT_NE(failure(kFixtures / "broken-sheetxml.xlsx").find("damaged (xl/worksheets/sheet1.xml, line 2:"),
              std::string::npos);
    EXPECT_NE(failure(kFixtures / "broken-sharedstringindex.xlsx").find("refers to shared string 5"),
              std::string::npos);
    EXPECT_NE(failure(kFixtures / "broken-noworkbook.xlsx").find("holds no Excel workbook"),
              std::string::npos);

    const std::string whole = readBytes(kFixtures / "basic.xlsx");
    writeBytes(temp.file("truncated.xlsx"), whole.substr(0, whole.size() / 2));
    EXPECT_NE(failure(temp.file("truncated.xlsx")).find("damaged"), std::string::npos);

    // A flipped byte inside the compressed sheet: inflating or its checksum fails.
    std::string flipped = whole;
    const std::string sheetName = "xl/worksheets/sheet1.xml";
    const std::size_t local = flipped.find(sheetName); // the first is the local header
    ASSERT_NE(local, std::string::npos);
    flipped[local + sheetName.size() + 20] ^= 0x55;
    writeBytes(temp.file("flipped.xlsx"), flipped);
    EXPECT_NE(failure(temp.file("flipped.xlsx")).find("damaged (xl/worksheets/sheet1.xml:"),
              std::string::npos);
}

TEST_F(BuiltInServerTest, DamagedAndForeignFilesAreClearErrors)
{
    const std::string xls = readBytes(kFixtures / "basic.xls");
    writeBytes(temp.file("truncated.xls"), xls.substr(0, 1536));
    EXPECT_NE(failure(temp.file("truncated.xls")).find("Cannot import"), std::string::npos);

    // OLE2 signature, then nothing that makes sense.
    writeBytes(temp.file("garbage.xls"), xls.substr(0, 8) + std::string(4000, '\x7F'));
    EXPECT_NE(failure(temp.file("garbage.xls")).find("damaged"), std::string::npos);

    writeBytes(temp.file("binary.xls"), std::string("\x09\x08\x10\0\0\x06\0\0", 8));
    EXPECT_NE(failure(temp.file("binary.xls")).find("neither an Excel workbook nor delimited text"),
              std::string::npos);

    EXPECT_NE(failure(temp.file("missing.xls")).find("cannot be opened"), std::string::npos);
    fs::create_directory(temp.file("folder.xls"));
    EXPECT_NE(failure(temp.file("folder.xls")).find("folder"), std::string::npos);
}

TEST_F(BuiltInServerTest, TheWaitCursorIsShownWhileTheServerWorks)
{
    ASSERT_EQ(QGuiApplication::overrideCursor(), nullptr);
    std::vector<Qt::CursorShape> seen;
    const SpreadsheetServerFactory watching = [&] {
        const QCursor* cursor = QGuiApplication::overrideCursor();
        seen.push_back(cursor ? cursor->shape() : Qt::ArrowCursor);
        return createBuiltInSpreadsheetServer();
    };
    ImportSpreadsheet(table, kFixtures / "basic.xlsx", watching, waitCursorBusyIndicator());
    EXPECT_THROW(ImportSpreadsheet(table, temp.file("missing.xls"), watching, waitCursorBusyIndicator()),
                 EResultListError);
    EXPECT_EQ(seen, (std::vector<Qt::CursorShape>{Qt::WaitCursor, Qt::WaitCursor}));
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

} // namespace
} // namespace ostrevo
