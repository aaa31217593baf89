// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
//
// The core of the spreadsheet import, without reading a workbook file.
//   importFromServer: 100,000 rows of 3 cells (host, e-mail, date) handed over
//     by an in-memory server, turned into texts and rows of a sorted table.
//   readDelimitedSheet: the program's own 100,000-row save (about 6 MB) read
//     as a sheet, as when it was saved under an .xls name.
//   numberText: 1,000 numbers of mixed kinds turned into text.
//   readXlsSheet: an .xls file of 100,000 rows of 3 cells (host and e-mail
//     as text, a date-formatted number), about 8 MB, read into a sheet.

#include "resultlist/resultcolumns.h"
#include "resultlist/resulttable.h"
#include "spreadsheet/spreadsheetcontents.h"
#include "spreadsheet/spreadsheetimport.h"
#include "spreadsheet/spreadsheettext.h"
#include "spreadsheet/xlsreader.h"

#include "benchsupport.h"
#include "xlsbuilders.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace ostrevo;

const int kRows = ostrevo::bench::sized(100000, 1000);

std::vector<int> shuffledRows()
{
    std::vector<int> order(kRows);
    for (int i = 0; i < kRows; ++i) {
        order[static_cast<std::size_t>(i)] = i;
    }
    std::shuffle(order.begin(), order.end(), std::mt19937(7));
    return order;
}

SheetContents resultSheet()
{
    SheetContents contents;
    const std::vector<int> order = shuffledRows();
    for (int row = 1; row <= kRows; ++row) {
        const std::string host =
            "www.domain-" + std::to_string(order[static_cast<std::size_t>(row - 1)]) + ".com";
        contents.add({1, row}, "http://" + host);
        contents.add({2, row}, "mailto:hostmaster@" + host);
        contents.add({3, row}, SheetDateTime{2025 + row % 8, 1 + row % 12, 1 + row % 28, 0, 0, 0,
                                             SheetDateTime::Part::Date});
    }
    return contents;
}

class MemoryServer final : public SpreadsheetServer {
public:
    explicit MemoryServer(const SheetContents& contents) : m_contents(contents) {}
    std::unique_ptr<SpreadsheetWorkbook> Open(const std::filesystem::path& fileName) override
    {
        return std::make_unique<LoadedWorkbook>(fileName, m_contents);
    }
    void Quit() override {}

private:
    const SheetContents& m_contents;
};

void setUpProgramTable(ResultTable& table)
{
    table.SetSortType(SortType::stBoth);
    table.SetCheckboxes(true);
    ostrevo::setUpResultColumns(table);
}

void importFromServer(benchmark::State& state)
{
    const SheetContents contents = resultSheet();
    for (auto _ : state) {
        state.PauseTiming();
        auto table = std::make_unique<ResultTable>();
        setUpProgramTable(*table);
        state.ResumeTiming();
        // Copying the sheet into the workbook is part of it: a file's sheet is
        // built while it is read.
        ImportSpreadsheet(*table, "results.xlsx", [&] { return std::make_unique<MemoryServer>(contents); });
        benchmark::DoNotOptimize(table->RowCount());
        state.PauseTiming();
        table.reset();
        state.ResumeTiming();
    }
    state.SetLabel("100,000 x 3 cells");
}
BENCHMARK(importFromServer)->Unit(benchmark::kMillisecond);

void readDelimitedSheet(benchmark::State& state)
{
    std::string text = "Web sites,Email,Expires\r\n";
    for (const int i : shuffledRows()) {
        const std::string host = "www.domain-" + std::to_string(i) + ".com";
        text += "http://" + host + ",mailto:hostmaster@" + host + ",2027/03/14\r\n";
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(ReadDelimitedSheet(text, "results.xls").size());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
    state.SetLabel("100,001 lines");
}
BENCHMARK(readDelimitedSheet)->Unit(benchmark::kMillisecond);

void numberText(benchmark::State& state)
{
    std::mt19937 random(3);
    std::vector<double> numbers;
    for (int i = 0; i < 1000; ++i) {
        numbers.push_back(i % 2 == 0 ? static_cast<double>(random() % 100000)
                                     : static_cast<double>(random()) / 977.0);
    }
    for (auto _ : state) {
        for (const double number : numbers) {
            benchmark::DoNotOptimize(NumberText(number));
        }
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * numbers.size()));
}
BENCHMARK(numberText);

void readXlsSheet(benchmark::State& state)
{
    namespace xls = ostrevo::test::xls;
    std::string records;
    for (const int i : shuffledRows()) {
        const std::string host = "www.domain-" + std::to_string(i) + ".com";
        const auto row = static_cast<unsigned>(i);
        records += xls::label(row, 0, std::u16string(host.begin(), host.end()));
        const std::string email = "mailto:hostmaster@" + host;
        records += xls::label(row, 1, std::u16string(email.begin(), email.end()));
        records += xls::number(row, 2, 46000.0 + i % 3000, 1); // XF 1: a date
    }
    const std::string file = xls::xlsFile(xls::workbookStream(xls::xf(0) + xls::xf(14), records));
    const std::filesystem::path path = std::filesystem::temp_directory_path() /
                                       ("ostrevo-xls-bench-" + std::to_string(std::random_device()()));
    std::ofstream(path, std::ios::binary).write(file.data(), static_cast<std::streamsize>(file.size()));
    for (auto _ : state) {
        benchmark::DoNotOptimize(ReadXlsSheet(path).size());
    }
    std::filesystem::remove(path);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file.size()));
    state.SetLabel("100,000 x 3 cells");
}
BENCHMARK(readXlsSheet)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
