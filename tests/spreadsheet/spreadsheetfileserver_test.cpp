// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "spreadsheet/spreadsheetfileserver.h"

#include "spreadsheet/spreadsheetbusycursor.h"

#include "importfixture.h"
#include "xlsbuilders.h"
#include "xlsxbuilder.h"

#include <QCursor>
#include <QGuiApplication>

#include <gtest/gtest.h>

#include <map>
#include <optional>
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

// One tab of a workbook written in either format: a worksheet with a URL in
// A1 or only a blank cell, a damaged worksheet, or a chart.
struct Tab {
    std::string name;
    std::string url; // none: a blank cell
    bool chart = false;
    bool damaged = false;
};

void writeXlsx(const fs::path& file, const std::vector<Tab>& tabs, int activeTab)
{
    std::vector<test::xlsx::Sheet> sheets;
    for (const Tab& tab : tabs) {
        sheets.push_back(
            {tab.name,
             "<row r=\"1\">" +
                 (tab.url.empty() ? "<c r=\"A1\" s=\"0\"/>"
                                  : "<c r=\"A1\" t=\"inlineStr\"><is><t>" + tab.url + "</t></is></c>") +
                 "</row>",
             tab.chart});
    }
    test::xlsx::writeSheets(file, sheets, activeTab);
}

void writeXls(const fs::path& file, const std::vector<Tab>& tabs, int activeTab)
{
    namespace xls = test::xls;
    std::vector<xls::BiffSheet> sheets;
    std::vector<std::string> names;
    for (const Tab& tab : tabs) {
        const std::u16string url(tab.url.begin(), tab.url.end());
        sheets.push_back({tab.chart     ? std::string()
                          : url.empty() ? xls::record(xls::rec::kBlank, xls::cell(0, 0))
                                        : xls::label(0, 0, url),
                          tab.chart ? 2u : 0u});
        names.push_back(tab.name);
    }
    writeFile(file, xls::xlsFile(xls::workbookStream(xls::window1(static_cast<unsigned>(activeTab)), sheets,
                                                     true, names)));
}

using WorkbookWriter = void (*)(const fs::path&, const std::vector<Tab>&, int);
const std::vector<std::pair<const char*, WorkbookWriter>> kFormats{{"book.xlsx", writeXlsx},
                                                                   {"book.xls", writeXls}};

struct SheetsCase {
    std::vector<Tab> tabs;
    int activeTab;
    std::vector<WorksheetSummary> listed;
    std::optional<std::size_t> answer; // to the choice, when it is asked
    std::vector<std::string> asked;    // the names offered; none: not asked
    std::size_t offered;               // the one offered first
    std::vector<RowTexts> rows;        // after the import
};

TEST_F(BuiltInServerTest, SheetsHoldingCellsAreListedAndTheChosenOneImported)
{
    const Tab empty{"Empty", ""};
    const Tab hosts{"Hosts", "http://hosts.com"};
    const Tab chart{"Chart", "", true};
    const Tab more{"More", "http://more.com"};
    const Tab damaged{"Bad", "http://bad.com", false, true};
    const std::vector<SheetsCase> cases{
        // The active sheet is offered first, the empty sheet and the chart not at all.
        {{empty, hosts, chart, more},
         3,
         {{"Empty", false, false}, {"Hosts", true, false}, {"More", true, true}},
         0,
         {"Hosts", "More"},
         1,
         {{"http://hosts.com"}}},
        {{hosts, more},
         0,
         {{"Hosts", true, true}, {"More", true, false}},
         1,
         {"Hosts", "More"},
         0,
         {{"http://more.com"}}},
        // Cancelled: the table stays as it was.
        {{hosts, more},
         1,
         {{"Hosts", true, false}, {"More", true, true}},
         std::nullopt,
         {"Hosts", "More"},
         1,
         before},
        // A single sheet with cells is imported without asking, active or not.
        {{empty, more}, 0, {{"Empty", false, true}, {"More", true, false}}, {}, {}, 0, {{"http://more.com"}}},
        // A damaged sheet is offered; the others stay importable.
        {{hosts, damaged},
         0,
         {{"Hosts", true, true}, {"Bad", true, false}},
         0,
         {"Hosts", "Bad"},
         0,
         {{"http://hosts.com"}}},
        // A chart is active: the first worksheet stands in for it.
        {{chart, hosts}, 0, {{"Hosts", true, true}}, {}, {}, 0, {{"http://hosts.com"}}},
    };
    for (const auto& [fileName, write] : kFormats) {
        for (std::size_t c = 0; c < cases.size(); ++c) {
            SCOPED_TRACE(std::string(fileName) + ", case " + std::to_string(c));
            const SheetsCase& expected = cases[c];
            const fs::path file = temp.file(fileName);
            write(file, expected.tabs, expected.activeTab);
            EXPECT_EQ(createBuiltInSpreadsheetServer()->Open(file)->Worksheets(), expected.listed);

            table.ClearRows();
            table.AddRow().SetCaption("http://before.com");
            std::vector<std::string> asked;
            std::size_t offered = 99;
            const bool imported =
                ImportSpreadsheet(table, file, createBuiltInSpreadsheetServer, {},
                                  [&](const std::vector<std::string>& names, std::size_t first) {
                                      asked = names;
                                      offered = first;
                                      return expected.answer;
                                  });
            EXPECT_EQ(asked, expected.asked);
            if (!expected.asked.empty()) {
                EXPECT_EQ(offered, expected.offered);
            }
            EXPECT_EQ(imported, expected.rows != before);
            EXPECT_EQ(rowsOf(table), expected.rows);
        }
    }
}

TEST_F(BuiltInServerTest, OnlyTheFirstTabsOfAHugeWorkbookAreListed)
{
    const std::vector<Tab> tabs(kMaxWorkbookSheets + 10, Tab{"S", "http://s.com"});
    for (const auto& [fileName, write] : kFormats) {
        const fs::path file = temp.file(fileName);
        write(file, tabs, static_cast<int>(tabs.size() - 1));
        const std::vector<WorksheetSummary> listed =
            createBuiltInSpreadsheetServer()->Open(file)->Worksheets();
        EXPECT_EQ(listed.size(), kMaxWorkbookSheets) << fileName;
        // The active tab is past them: the first stands in.
        EXPECT_TRUE(!listed.empty() && listed.front().active) << fileName;
    }
}

} // namespace
} // namespace ostrevo
