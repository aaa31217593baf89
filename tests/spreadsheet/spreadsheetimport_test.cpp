// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "spreadsheet/spreadsheetimport.h"

#include "platform/errors.h"
#include "resultlist/resulttable.h"
#include "spreadsheet/spreadsheetcontents.h"
#include "tablehelpers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace ostrevo {
namespace {

using test::columnCaptionsOf;
using test::rowsOf;
using test::RowTexts;
using test::setUpProgramTable;

// A spreadsheet application that logs every call, can fail at any of them,
// and serves a sheet of the test's making.
struct FakeApplication {
    std::string usedRange = "$A$1";
    std::map<std::pair<int, int>, CellValue> cells; // (column, row) → value
    std::string failAt;                             // "Open", "ActiveSheet", ... or empty
    bool openGivesNothing = false;
    int blockValuesMissing = 0;           // a server that miscounts its block
    std::vector<WorksheetSummary> sheets; // every one serves the same cells
    std::vector<std::string> log;

    void call(const std::string& what, const std::string& argument = {})
    {
        log.push_back(argument.empty() ? what : what + " " + argument);
        if (failAt == what) {
            throw RuntimeError("The application failed at " + what);
        }
    }

    SpreadsheetServerFactory factory();
};

class FakeSheet final : public SpreadsheetSheet {
public:
    explicit FakeSheet(FakeApplication& app) : m_app(app) {}
    std::string UsedRangeAddress() override
    {
        m_app.call("UsedRange");
        return m_app.usedRange;
    }
    CellBlock RangeValue(std::string_view address) override
    {
        m_app.call("Range", std::string(address));
        SheetContents contents;
        for (const auto& [position, value] : m_app.cells) {
            contents.add({position.first, position.second}, value);
        }
        CellBlock block = contents.block(ParseCellRange(address).value());
        block.values.resize(block.values.size() - static_cast<std::size_t>(m_app.blockValuesMissing));
        return block;
    }

private:
    FakeApplication& m_app;
};

class FakeWorkbook final : public SpreadsheetWorkbook {
public:
    explicit FakeWorkbook(FakeApplication& app) : m_app(app), m_sheet(app) {}
    SpreadsheetSheet& ActiveSheet() override
    {
        m_app.call("ActiveSheet");
        return m_sheet;
    }
    std::vector<WorksheetSummary> Worksheets() override
    {
        m_app.call("Worksheets");
        return m_app.sheets;
    }
    SpreadsheetSheet& Worksheet(std::size_t index) override
    {
        m_app.call("Worksheet", std::to_string(index));
        return m_sheet;
    }
    void Close(bool saveChanges) override { m_app.call("Close", saveChanges ? "save" : "nosave"); }

private:
    FakeApplication& m_app;
    FakeSheet m_sheet;
};

class FakeServer final : public SpreadsheetServer {
public:
    explicit FakeServer(FakeApplication& app) : m_app(app) {}
    std::unique_ptr<SpreadsheetWorkbook> Open(const std::filesystem::path& fileName) override
    {
        m_app.call("Open", fileName.string());
        if (m_app.openGivesNothing) {
            return nullptr;
        }
        return std::make_unique<FakeWorkbook>(m_app);
    }
    void Quit() override { m_app.call("Quit"); }

private:
    FakeApplication& m_app;
};

SpreadsheetServerFactory FakeApplication::factory()
{
    return [this]() -> std::unique_ptr<SpreadsheetServer> {
        log.emplace_back("Create");
        return std::make_unique<FakeServer>(*this);
    };
}

class ImportSpreadsheetTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        setUpProgramTable(table);
        table.AddRow().SetCaption("http://old.com");
        table.Row(0).AppendSubItem("mailto:old@old.com");
        table.Row(0).SetChecked(true);
    }

    void import()
    {
        ImportSpreadsheet(table, "/data/list.xls", app.factory(), [this](bool on) { busy.push_back(on); });
    }

    void text(int column, int row, std::string value) { app.cells[{column, row}] = std::move(value); }

    ResultTable table;
    FakeApplication app;
    std::vector<bool> busy;
    const std::vector<RowTexts> oldRows{{"http://old.com", "mailto:old@old.com"}};
};

TEST_F(ImportSpreadsheetTest, TwoRowsOfThreeCellsReplaceTheRows)
{
    app.usedRange = "$A$1:$C$2";
    text(1, 1, "http://z.com");
    text(2, 1, "mailto:z@z.com");
    app.cells[{3, 1}] = SheetDateTime{2025, 11, 5, 0, 0, 0, SheetDateTime::Part::Date};
    text(1, 2, "http://a.com");
    text(2, 2, "mailto:a@a.com");
    text(3, 2, "2027/01/31");
    import();

    EXPECT_EQ(rowsOf(table), (std::vector<RowTexts>{{"http://a.com", "mailto:a@a.com", "2027/01/31"},
                                                    {"http://z.com", "mailto:z@z.com", "2025/11/05"}}));
    // The last sheet column reached the last table column: one more, without caption.
    EXPECT_EQ(columnCaptionsOf(table), (std::vector<std::string>{"Web sites", "Email", "Expires", ""}));
    EXPECT_EQ(table.Column(3).width, 50);
    EXPECT_EQ(table.Column(0).width, 250);
    for (int i = 0; i < table.RowCount(); ++i) {
        EXPECT_FALSE(table.Row(i).Checked());
    }
    EXPECT_EQ(app.log, (std::vector<std::string>{"Create", "Open /data/list.xls", "ActiveSheet", "UsedRange",
                                                 "Range A1:C2", "Close nosave", "Quit"}));
    EXPECT_EQ(busy, (std::vector<bool>{true, false}));
    EXPECT_EQ(table.BulkUpdateDepth(), 0);
}

TEST_F(ImportSpreadsheetTest, AHeaderRowOfTheColumnCaptionsIsNotADomain)
{
    app.usedRange = "$A$1:$C$2";
    text(1, 1, "Web sites");
    text(2, 1, "Email");
    text(3, 1, "Expires");
    text(1, 2, "http://a.com");
    text(2, 2, "mailto:a@a.com");
    text(3, 2, "2027/01/31");
    import();
    EXPECT_EQ(rowsOf(table), (std::vector<RowTexts>{{"http://a.com", "mailto:a@a.com", "2027/01/31"}}));
}

TEST_F(ImportSpreadsheetTest, AUsedRangeAwayFromA1IsReadFromItsFirstCell)
{
    app.usedRange = "$B$2:$D$3";
    text(2, 2, "http://b.com");
    text(3, 2, "mailto:b@b.com");
    text(4, 2, "2026/02/03");
    text(2, 3, "http://a.com");
    text(4, 3, "2030/12/24");
    import();

    EXPECT_EQ(app.log.at(4), "Range B2:D3");
    EXPECT_EQ(rowsOf(table), (std::vector<RowTexts>{{"http://a.com", "", "2030/12/24"},
                                                    {"http://b.com", "mailto:b@b.com", "2026/02/03"}}));
}

TEST_F(ImportSpreadsheetTest, OneUsedCellGivesARowWithOnlyACaption)
{
    app.usedRange = "$C$3";
    text(3, 3, "lonely");
    import();

    EXPECT_EQ(app.log.at(4), "Range C3:C3");
    EXPECT_EQ(rowsOf(table), (std::vector<RowTexts>{{"lonely"}}));
    EXPECT_EQ(table.ColumnCount(), 3);
}

TEST_F(ImportSpreadsheetTest, AnEmptySheetLeavesNoRows)
{
    app.usedRange = "$A$1";
    import();

    EXPECT_EQ(table.RowCount(), 0);
    EXPECT_EQ(table.ColumnCount(), 3);
    EXPECT_EQ(app.log.back(), "Quit");
}

TEST_F(ImportSpreadsheetTest, NumbersDatesAndOtherValuesBecomeText)
{
    app.usedRange = "$A$1:$H$1";
    text(1, 1, std::string("val\0ues", 7)); // a NUL would make the saved file unloadable
    app.cells[{2, 1}] = 42.0;
    app.cells[{3, 1}] = 3.25;
    app.cells[{4, 1}] = true;
    app.cells[{5, 1}] = CellError{};
    app.cells[{6, 1}] = SheetDateTime{2025, 1, 9, 13, 30, 0, SheetDateTime::Part::DateTime};
    app.cells[{8, 1}] = 1e20;
    import();

    EXPECT_EQ(rowsOf(table), (std::vector<RowTexts>{
                                 {"values", "42", "3.25", "TRUE", "", "2025/01/09 13:30:00", "", "1e+20"}}));
}

TEST_F(ImportSpreadsheetTest, RowsWithEqualCaptionsKeepTheSheetOrder)
{
    app.usedRange = "$A$1:$B$3";
    text(1, 1, "b");
    text(2, 1, "first");
    text(1, 2, "a");
    text(1, 3, "b");
    text(2, 3, "second");
    import();

    EXPECT_EQ(rowsOf(table), (std::vector<RowTexts>{{"a", ""}, {"b", "first"}, {"b", "second"}}));
}

TEST_F(ImportSpreadsheetTest, WithoutCaptionSortingRowsStayInSheetOrder)
{
    table.SetSortType(SortType::stNone);
    app.usedRange = "$A$1:$A$3";
    text(1, 1, "c");
    text(1, 2, "a");
    text(1, 3, "b");
    import();

    EXPECT_EQ(rowsOf(table), (std::vector<RowTexts>{{"c"}, {"a"}, {"b"}}));
}

TEST_F(ImportSpreadsheetTest, AnObservingViewIsToldEveryChangeInOrder)
{
    test::MirrorObserver observer(table); // checks each notification against the table
    app.usedRange = "$A$1:$B$2";
    text(1, 1, "z");
    text(1, 2, "y");
    import();

    EXPECT_EQ(observer.log.front(), "suspend");
    EXPECT_EQ(observer.log.back(), "resume");
    EXPECT_EQ(rowsOf(table), (std::vector<RowTexts>{{"y", ""}, {"z", ""}}));
}

// How many columns a sheet leaves, from the table's column count before.
struct ColumnCase {
    int columnsBefore;
    int sheetColumns;
    int sheetRows;
    int columnsAfter;
};

class ImportSpreadsheetColumns : public ::testing::TestWithParam<ColumnCase> {};

TEST_P(ImportSpreadsheetColumns, AddsAColumnWhenASheetColumnReachesTheLastOne)
{
    const ColumnCase c = GetParam();
    ResultTable table;
    for (int k = 0; k < c.columnsBefore; ++k) {
        table.AddColumn().Caption = "kept " + std::to_string(k);
    }
    FakeApplication app;
    app.usedRange = "$A$1:$" + ColumnLetters(c.sheetColumns) + "$" + std::to_string(c.sheetRows);
    app.cells[{1, 1}] = std::string("x");
    ImportSpreadsheet(table, "f.xls", app.factory());

    EXPECT_EQ(table.ColumnCount(), c.columnsAfter);
    for (int k = 0; k < c.columnsBefore; ++k) {
        EXPECT_EQ(table.Column(k).Caption, "kept " + std::to_string(k));
    }
    for (int i = 0; i < table.RowCount(); ++i) {
        EXPECT_EQ(table.Row(i).SubItemCount(), static_cast<std::size_t>(c.sheetColumns - 1));
    }
}

INSTANTIATE_TEST_SUITE_P(ColumnCounts, ImportSpreadsheetColumns,
                         ::testing::Values(ColumnCase{3, 3, 2, 4}, ColumnCase{3, 1, 2, 3},
                                           ColumnCase{3, 2, 1, 3}, ColumnCase{5, 3, 2, 5},
                                           ColumnCase{1, 3, 2, 4}, ColumnCase{0, 3, 1, 3},
                                           ColumnCase{0, 3, 2, 4}, ColumnCase{2, 30, 3, 31}));

TEST(ImportSpreadsheetNoServer, ReportsExcelOleServerNotFoundAndChangesNothing)
{
    ResultTable table;
    setUpProgramTable(table);
    table.AddRow().SetCaption("http://kept.com");
    std::vector<bool> busy;
    for (const SpreadsheetServerFactory& factory : {SpreadsheetServerFactory{}, SpreadsheetServerFactory{[] {
                                                        return std::unique_ptr<SpreadsheetServer>();
                                                    }}}) {
        try {
            ImportSpreadsheet(table, "f.xls", factory, [&](bool on) { busy.push_back(on); });
            ADD_FAILURE() << "no error";
        } catch (const EResultListError& error) {
            EXPECT_STREQ(error.what(), "Excel OLE server not found");
        }
    }
    EXPECT_EQ(rowsOf(table), (std::vector<RowTexts>{{"http://kept.com"}}));
    EXPECT_EQ(table.ColumnCount(), 3);
    EXPECT_EQ(busy, (std::vector<bool>{true, false, true, false}));
}

// Whatever call fails, the error reaches the caller, the table is as it was,
// the workbook is closed unsaved once opened, the server asked to quit and the
// wait cursor taken away.
class ImportSpreadsheetFailure : public ImportSpreadsheetTest,
                                 public ::testing::WithParamInterface<const char*> {};

TEST_P(ImportSpreadsheetFailure, LeavesTheTableAsItWas)
{
    app.usedRange = "$A$1:$B$2";
    text(1, 1, "new");
    app.failAt = GetParam();
    try {
        import();
        ADD_FAILURE() << "no error";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.what(), "The application failed at " + app.failAt);
    }
    EXPECT_EQ(rowsOf(table), oldRows);
    EXPECT_TRUE(table.Row(0).Checked());
    EXPECT_EQ(table.ColumnCount(), 3);
    EXPECT_EQ(busy, (std::vector<bool>{true, false}));
    EXPECT_EQ(table.BulkUpdateDepth(), 0);

    const auto count = [&](const std::string& call) {
        return std::count(app.log.begin(), app.log.end(), call);
    };
    EXPECT_EQ(count("Quit"), 1);
    EXPECT_EQ(count("Close nosave"), app.failAt == "Open" ? 0 : app.failAt == "Close" ? 2 : 1);
    EXPECT_EQ(count("Close save"), 0);
}

INSTANTIATE_TEST_SUITE_P(EveryCall, ImportSpreadsheetFailure,
                         ::testing::Values("Open", "ActiveSheet", "UsedRange", "Range", "Close", "Quit"));

TEST_F(ImportSpreadsheetTest, AWorkbookThatDoesNotOpenIsAnError)
{
    app.openGivesNothing = true;
    EXPECT_THROW(import(), EResultListError);
    EXPECT_EQ(rowsOf(table), oldRows);
    EXPECT_EQ(app.log.back(), "Quit");
}

TEST_F(ImportSpreadsheetTest, ABlockOfTheWrongSizeIsAnError)
{
    app.usedRange = "$A$1:$B$2";
    app.blockValuesMissing = 1;
    try {
        import();
        ADD_FAILURE() << "no error";
    } catch (const EResultListError& error) {
        EXPECT_NE(std::string(error.what()).find("/data/list.xls"), std::string::npos) << error.what();
    }
    EXPECT_EQ(rowsOf(table), oldRows);
}

TEST_F(ImportSpreadsheetTest, AUsedRangeTooLargeForTheTableIsRefusedBeforeItIsRead)
{
    app.usedRange = "$A$1:$XFD$1048576";
    try {
        import();
        ADD_FAILURE() << "no error";
    } catch (const EResultListError& error) {
        EXPECT_NE(std::string(error.what()).find("A1:XFD1048576"), std::string::npos) << error.what();
    }
    EXPECT_EQ(std::count_if(app.log.begin(), app.log.end(),
                            [](const std::string& call) { return call.rfind("Range", 0) == 0; }),
              0);
    EXPECT_EQ(app.log.back(), "Quit");
    EXPECT_EQ(rowsOf(table), oldRows);
}

// The choice is asked without the wait cursor; a cancelled one reads no sheet
// and still closes the workbook and quits.
TEST_F(ImportSpreadsheetTest, AChosenSheetIsReadAndACancelledChoiceReadsNone)
{
    app.usedRange = "$A$1";
    text(1, 1, "http://new.com");
    app.sheets = {{"A", true, false}, {"B", false, false}, {"C", true, true}};
    const struct {
        std::optional<std::size_t> answer;
        std::vector<std::string> log;
        std::vector<bool> busy;
        std::vector<RowTexts> rows;
    } cases[]{
        {0,
         {"Create", "Open /data/list.xls", "Worksheets", "Worksheet 0", "UsedRange", "Range A1:A1",
          "Close nosave", "Quit"},
         {true, false, true, false},
         {{"http://new.com"}}},
        {std::nullopt,
         {"Create", "Open /data/list.xls", "Worksheets", "Close nosave", "Quit"},
         {true, false},
         oldRows},
    };
    for (const auto& expected : cases) {
        app.log.clear();
        busy.clear();
        std::vector<std::string> asked;
        std::size_t offered = 99;
        ImportSpreadsheet(
            table, "/data/list.xls", app.factory(), [this](bool on) { busy.push_back(on); },
            [&](const std::vector<std::string>& names, std::size_t first) {
                asked = names;
                offered = first;
                return expected.answer;
            });
        EXPECT_EQ(asked, (std::vector<std::string>{"A", "C"}));
        EXPECT_EQ(offered, 1u);
        EXPECT_EQ(app.log, expected.log);
        EXPECT_EQ(busy, expected.busy);
        EXPECT_EQ(rowsOf(table), expected.rows);
        table.ClearRows();
        table.AddRow().SetCaption("http://old.com");
        table.Row(0).AppendSubItem("mailto:old@old.com");
    }
}

} // namespace
} // namespace ostrevo
