// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "spreadsheet/spreadsheetfileserver.h"

#include "spreadsheet/spreadsheetbusycursor.h"

#include "importfixture.h"

#include <QCursor>
#include <QGuiApplication>

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace ostrevo {
namespace {

namespace fs = std::filesystem;
using test::BuiltInServerTest;
using test::kBasicRows;
using test::kFixtures;
using test::kOffsetRows;
using test::readFile;
using test::rowsOf;
using test::RowTexts;
using test::writeFile;

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

TEST_F(BuiltInServerTest, DelimitedTextSavedUnderASpreadsheetName)
{
    ResultTable saved;
    test::setUpProgramTable(saved);
    ResultRow& row = saved.AddRow();
    row.SetCaption("http://a.com");
    row.AppendSubItem("mailto:a@a.com");
    row.AppendSubItem("2025/11/05");
    const fs::path file = temp.file("results.xls");
    saved.SaveToDelimitedFile(file);

    import(file);
    // The header line of the save is not a domain.
    EXPECT_EQ(rowsOf(table), (std::vector<RowTexts>{{"http://a.com", "mailto:a@a.com", "2025/11/05"}}));

    writeFile(temp.file("semicolons.xlsx"), "http://b.com;mailto:b@b.com\r\nhttp://a.com;mailto:a@a.com\r\n");
    import(temp.file("semicolons.xlsx"));
    EXPECT_EQ(rowsOf(table), (std::vector<RowTexts>{{"http://a.com", "mailto:a@a.com"},
                                                    {"http://b.com", "mailto:b@b.com"}}));
}

TEST_F(BuiltInServerTest, DamagedAndForeignFilesAreClearErrors)
{
    const std::string xls = readFile(kFixtures / "basic.xls");
    writeFile(temp.file("truncated.xls"), xls.substr(0, 1536));
    EXPECT_NE(failure(temp.file("truncated.xls")).find("Cannot import"), std::string::npos);

    // OLE2 signature, then nothing that makes sense.
    writeFile(temp.file("garbage.xls"), xls.substr(0, 8) + std::string(4000, '\x7F'));
    EXPECT_NE(failure(temp.file("garbage.xls")).find("damaged"), std::string::npos);

    writeFile(temp.file("binary.xls"), std::string("\x09\x08\x10\0\0\x06\0\0", 8));
    EXPECT_NE(failure(temp.file("binary.xls")).find("neither an Excel workbook nor delimited text"),
              std::string::npos);

    // Excel 2 to 4 files are bare record streams: named, not taken for text.
    writeFile(temp.file("old.xls"), std::string("\x09\x04\x06\0\0\0\x10\0\0\0", 10));
    EXPECT_EQ(failure(temp.file("old.xls")), "Cannot import " + temp.file("old.xls").string() +
                                                 ": it is an Excel 4 worksheet, which is too old to import");
    writeFile(temp.file("old2.xls"), std::string("\x09\0\x04\0\x02\0\x10\0", 8));
    EXPECT_NE(failure(temp.file("old2.xls")).find("an Excel 2 worksheet"), std::string::npos);

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
