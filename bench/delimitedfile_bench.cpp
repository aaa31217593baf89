// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
//
// Result files of 1,000,000 rows, three fields each, hosts in random order
// (about 62 MB), made once in a temporary folder.
//   Load: LoadFromDelimitedFile into the program's empty table, including
//     the caption sort at the end (target: under 1.5 s). Reports the
//     process's peak resident memory; run it alone to read the figure:
//     --benchmark_filter=Load (target: under 400 MB).
//   Save: SaveToDelimitedFile of that table (target: under 0.5 s).

#include "resultlist/resultcolumns.h"
#include "resultlist/resulttable.h"

#include "benchsupport.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>

#include <sys/resource.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using ostrevo::ResultTable;

constexpr int kRows = 1000000;

class BenchFolder {
public:
    BenchFolder()
        : m_path(fs::temp_directory_path() / ("ostrevo-delimited-bench-" + std::to_string(getpid())))
    {
        fs::create_directories(m_path);
    }
    ~BenchFolder()
    {
        std::error_code ec;
        fs::remove_all(m_path, ec);
    }
    fs::path file(const char* name) const { return m_path / name; }

private:
    fs::path m_path;
};

BenchFolder& folder()
{
    static BenchFolder instance;
    return instance;
}

const fs::path& resultFile()
{
    static const fs::path path = [] {
        // Written in pieces so that making it does not raise the peak memory.
        const fs::path file = folder().file("results.csv");
        std::ofstream out(file, std::ios::binary);
        std::mt19937 random(7);
        std::string text = "Web sites,Email,Expires\r\n";
        for (int i = 0; i < kRows; ++i) {
            const std::string name = ostrevo::bench::randomDomain(random, 100000);
            text += "http://www." + name + ",mailto:contact@" + name + "," + ostrevo::bench::randomDate(random) +
                    "\r\n";
            if (text.size() > (1u << 20)) {
                out.write(text.data(), static_cast<std::streamsize>(text.size()));
                text.clear();
            }
        }
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        return file;
    }();
    return path;
}

void setUp(ResultTable& table)
{
    table.SetSortType(ostrevo::SortType::stBoth);
    table.SetCheckboxes(true);
    table.SetSaveHeader(true);
    ostrevo::setUpResultColumns(table);
}

double peakRssMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0; // kilobytes on Linux
}

void BM_Load(benchmark::State& state)
{
    const fs::path& file = resultFile();
    const double before = peakRssMegabytes();
    for (auto _ : state) {
        auto table = std::make_unique<ResultTable>();
        setUp(*table);
        table->LoadFromDelimitedFile(file);
        state.PauseTiming();
        if (table->RowCount() != kRows) {
            state.SkipWithError("wrong row count");
        }
        table.reset();
        state.ResumeTiming();
    }
    state.counters["file_MB"] = static_cast<double>(fs::file_size(file)) / 1e6;
    state.counters["peak_rss_MB"] = peakRssMegabytes();
    state.counters["peak_rss_before_MB"] = before;
}
BENCHMARK(BM_Load)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_Save(benchmark::State& state)
{
    ResultTable table;
    setUp(table);
    table.LoadFromDelimitedFile(resultFile());
    const fs::path out = folder().file("saved.csv");
    for (auto _ : state) {
        table.SaveToDelimitedFile(out);
    }
    state.counters["file_MB"] = static_cast<double>(fs::file_size(out)) / 1e6;
}
BENCHMARK(BM_Save)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

BENCHMARK_MAIN();
