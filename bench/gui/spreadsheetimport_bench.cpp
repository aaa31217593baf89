// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
//
// Importing a workbook the size of a long lookup run's results.
// Input: one .xlsx written at start-up, 100,000 rows of 3 columns (a host, an
// e-mail address as shared strings, an expiry date as a date-formatted
// number), rows in random caption order; about 2.4 MB zipped.
//   readXlsxSheet: reading the sheet's values only.
//   importXlsx/bare: ImportSpreadsheet into a table without view
//     (target: the whole import under 3 s).
//   importXlsx/window: the same into the main window's table: collation keys
//     and a TResultListView following it.

#include "platform/collation.h"
#include "resultlist/resultcolumns.h"
#include "resultlist/resulttable.h"
#include "resultlist/tresultlistview.h"
#include "spreadsheet/spreadsheetfileserver.h"
#include "spreadsheet/spreadsheetimport.h"
#include "spreadsheet/xlsxreader.h"

#include "../benchsupport.h"
#include "qtbenchmain.h"
#include "xlsxbuilder.h"

#include <QApplication>

#include <benchmark/benchmark.h>
#include <zip.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

namespace fs = std::filesystem;

const int kRows = ostrevo::bench::sized(100000, 1000);

fs::path g_workbook;

std::string xmlPart(const std::string& root, const std::string& body)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n<" + root +
           " xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\""
           " xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">" +
           body + "</" + root.substr(0, root.find(' ')) + ">";
}

void writeWorkbook(const fs::path& path)
{
    std::mt19937 random(20260101);
    std::vector<int> order(kRows);
    for (int i = 0; i < kRows; ++i) {
        order[static_cast<std::size_t>(i)] = i;
    }
    std::shuffle(order.begin(), order.end(), random);

    std::string strings;
    std::string sheet;
    for (int row = 1; row <= kRows; ++row) {
        const std::string host =
            "www.domain-" + std::to_string(order[static_cast<std::size_t>(row - 1)]) + ".com";
        strings += "<si><t>http://" + host + "</t></si><si><t>mailto:hostmaster@" + host + "</t></si>";
        const std::string r = std::to_string(row);
        const int first = (row - 1) * 2;
        sheet += "<row r=\"" + r + "\"><c r=\"A" + r + "\" t=\"s\"><v>" + std::to_string(first) +
                 "</v></c><c r=\"B" + r + "\" t=\"s\"><v>" + std::to_string(first + 1) + "</v></c><c r=\"C" +
                 r + "\" s=\"1\"><v>" + std::to_string(45000 + static_cast<int>(random() % 4000)) +
                 "</v></c></row>";
    }
    const std::string relationships = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";
    const std::string packageRelationships =
        "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
    const std::vector<std::pair<std::string, std::string>> parts{
        {"[Content_Types].xml",
         "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
         "<Default Extension=\"xml\" ContentType=\"application/xml\"/></Types>"},
        {"_rels/.rels", packageRelationships + "<Relationship Id=\"rId1\" Type=\"" + relationships +
                            "officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>"},
        {"xl/workbook.xml",
         xmlPart("workbook", "<sheets><sheet name=\"Results\" sheetId=\"1\" r:id=\"rId1\"/></sheets>")},
        {"xl/_rels/workbook.xml.rels",
         packageRelationships + "<Relationship Id=\"rId1\" Type=\"" + relationships +
             "worksheet\" Target=\"worksheets/sheet1.xml\"/><Relationship Id=\"rId2\" Type=\"" +
             relationships +
             "sharedStrings\" Target=\"sharedStrings.xml\"/><Relationship Id=\"rId3\" Type=\"" +
             relationships + "styles\" Target=\"styles.xml\"/></Relationships>"},
        {"xl/styles.xml",
         xmlPart("styleSheet", "<cellXfs count=\"2\"><xf numFmtId=\"0\"/><xf numFmtId=\"14\"/></cellXfs>")},
        {"xl/sharedStrings.xml", xmlPart("sst", strings)},
        {"xl/worksheets/sheet1.xml", xmlPart("worksheet", "<dimension ref=\"A1:C" + std::to_string(kRows) +
                                                              "\"/><sheetData>" + sheet + "</sheetData>")},
    };

    ostrevo::test::xlsx::writeZip(path, parts);
}

void setUpProgramTable(ostrevo::ResultTable& table)
{
    table.SetSortType(ostrevo::SortType::stBoth);
    table.SetCheckboxes(true);
    table.SetSaveHeader(true);
    ostrevo::setUpResultColumns(table);
}

void readXlsxSheet(benchmark::State& state)
{
    for (auto _ : state) {
        const ostrevo::SheetContents contents = ostrevo::ReadXlsxSheet(g_workbook);
        benchmark::DoNotOptimize(contents.size());
    }
    state.SetLabel("100,000 x 3 cells");
}
BENCHMARK(readXlsxSheet)->Unit(benchmark::kMillisecond);

void importXlsx(benchmark::State& state)
{
    const bool window = state.range(0) != 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto table = std::make_unique<ostrevo::ResultTable>();
        setUpProgramTable(*table);
        std::unique_ptr<ostrevo::TResultListView> view;
        if (window) {
            table->setCaptionSortKey(&ostrevo::captionSortKey);
            view = std::make_unique<ostrevo::TResultListView>(*table);
            view->resize(600, 400);
            view->show();
        }
        state.ResumeTiming();

        ostrevo::ImportSpreadsheet(*table, g_workbook, ostrevo::createBuiltInSpreadsheetServer);
        if (window) {
            QApplication::processEvents(); // the repaint after the import
        }

        state.PauseTiming();
        if (table->RowCount() != kRows) {
            state.SkipWithError("wrong row count");
        }
        view.reset();
        table.reset();
        state.ResumeTiming();
    }
    state.SetLabel(window ? "100,000 x 3, window's table and view" : "100,000 x 3, bare table");
}
BENCHMARK(importXlsx)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(ostrevo::bench::iterations(3));

} // namespace

int main(int argc, char** argv)
{
    return ostrevo::bench::runBenchmarksInApplication(
        argc, argv,
        [] {
            g_workbook =
                fs::temp_directory_path() / ("ostrevo-import-bench-" + std::to_string(::getpid()) + ".xlsx");
            writeWorkbook(g_workbook);
            std::printf("workbook: %s, %ju bytes\n", g_workbook.c_str(),
                        static_cast<std::uintmax_t>(fs::file_size(g_workbook)));
        },
        [] { fs::remove(g_workbook); });
}
