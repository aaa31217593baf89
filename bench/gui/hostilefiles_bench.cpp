// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
//
// Hostile files loaded into the main window's table and view: what they cost
// in time and peak memory. Run one case per process to read its peak
// (--benchmark_filter=<case>); each reports the process's peak resident set.
//   xlsxBomb: a 1 MB .xlsx whose one shared string inflates to 1 GiB.
//   xlsxWideSheet: an .xlsx with cells at A1 and XFD512 only.
//   commaLine: a delimited file of one 64 KiB line of commas.
//   carriageReturns: a delimited file of 50 MiB of CR bytes.
// Each is imported or loaded as the program does; a refusal (an exception) is
// the expected outcome once the limits hold, and is counted as "refused".
// The files (52 MB) are made once in /tmp/ostrevo-hostile-bench and kept for
// the next run; delete the folder when done.

#include "../benchsupport.h"
#include "platform/collation.h"
#include "resultlist/resulttable.h"
#include "resultlist/tresultlistview.h"
#include "spreadsheet/spreadsheetfileserver.h"
#include "spreadsheet/spreadsheetimport.h"
#include "xlsxbuilder.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

fs::path g_folder;

// Made in a child process, so that building the gibibyte of text does not
// count in this process's peak.
void inChild(void (*make)())
{
    const pid_t child = ::fork();
    if (child == 0) {
        make();
        std::_Exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
}

void makeFiles()
{
    if (fs::exists(g_folder / "done")) {
        return;
    }
    inChild([] {
        ostrevo::test::xlsx::writeWorkbook(
            g_folder / "bomb.xlsx", "<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c></row>",
            "<si><t>" + std::string(ostrevo::bench::sized(std::size_t{1} << 30, std::size_t{64} << 20), 'a') +
                "</t></si>");
    });
    ostrevo::test::xlsx::writeWorkbook(
        g_folder / "wide.xlsx",
        "<row r=\"1\"><c r=\"A1\"><v>1</v></c></row><row r=\"512\"><c r=\"XFD512\"><v>2</v></c></row>", "");
    std::ofstream(g_folder / "commas.csv", std::ios::binary) << std::string(64 * 1024, ',') << "\r\n";
    std::ofstream(g_folder / "returns.csv", std::ios::binary)
        << std::string(ostrevo::bench::sized(50 * 1024 * 1024, 1024 * 1024), '\r');
    std::ofstream(g_folder / "done") << "made\n";
}

long peakResidentKb()
{
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

void setUpProgramTable(ostrevo::ResultTable& table)
{
    table.setCaptionSortKey(&ostrevo::captionSortKey);
    table.SetSortType(ostrevo::SortType::stBoth);
    table.SetCheckboxes(true);
    table.SetSaveHeader(true);
    for (const char* caption : {"Web sites", "Email", "Expires"}) {
        table.AddColumn().Caption = caption;
    }
}

void loadIntoWindowTable(benchmark::State& state, const char* file, bool spreadsheet)
{
    const fs::path path = g_folder / file;
    for (auto _ : state) {
        state.PauseTiming();
        auto table = std::make_unique<ostrevo::ResultTable>();
        setUpProgramTable(*table);
        auto view = std::make_unique<ostrevo::TResultListView>(*table);
        view->resize(600, 400);
        view->show();
        state.ResumeTiming();
        bool refused = false;
        try {
            if (spreadsheet) {
                ostrevo::ImportSpreadsheet(*table, path, ostrevo::createBuiltInSpreadsheetServer);
            } else {
                table->LoadFromDelimitedFile(path);
            }
            QApplication::processEvents();
        } catch (const std::exception& e) {
            refused = true;
            state.SetLabel(e.what());
        }
        state.counters["rows"] = table->RowCount();
        state.counters["columns"] = table->ColumnCount();
        state.counters["refused"] = refused ? 1 : 0;
    }
    state.counters["peak_MiB"] = static_cast<double>(peakResidentKb()) / 1024.0;
    state.counters["file_KiB"] = static_cast<double>(fs::file_size(path)) / 1024.0;
}

void xlsxBomb(benchmark::State& state)
{
    loadIntoWindowTable(state, "bomb.xlsx", true);
}
void xlsxWideSheet(benchmark::State& state)
{
    loadIntoWindowTable(state, "wide.xlsx", true);
}
void commaLine(benchmark::State& state)
{
    loadIntoWindowTable(state, "commas.csv", false);
}
void carriageReturns(benchmark::State& state)
{
    loadIntoWindowTable(state, "returns.csv", false);
}

BENCHMARK(xlsxBomb)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(xlsxWideSheet)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(commaLine)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(carriageReturns)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    g_folder = fs::temp_directory_path() / "ostrevo-hostile-bench";
    fs::create_directories(g_folder);
    makeFiles();
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
