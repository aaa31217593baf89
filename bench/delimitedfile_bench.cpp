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
//   Baseline_PlainReader: the same file read by plain C++ into one object per
//     row, then a stable sort by caption (peer of Load; run alone as well).

#include "resultlist/resultcolumns.h"
#include "resultlist/resulttable.h"

#include "benchsupport.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <string_view>
#include <vector>

#include <sys/resource.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using ostrevo::ResultTable;

const int kRows = ostrevo::bench::sized(1000000, 2000);

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
            text += "http://www." + name + ",mailto:contact@" + name + "," +
                    ostrevo::bench::randomDate(random) + "\r\n";
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
BENCHMARK(BM_Load)->Unit(benchmark::kMillisecond)->Iterations(ostrevo::bench::iterations(3));

struct PlainRow {
    std::string caption;
    std::vector<std::string> subItems;
    bool checked = false;
};

void BM_Baseline_PlainReader(benchmark::State& state)
{
    const fs::path& file = resultFile();
    const double before = peakRssMegabytes();
    for (auto _ : state) {
        std::ifstream in(file, std::ios::binary);
        std::vector<PlainRow> rows;
        std::string line;
        std::getline(in, line); // the header
        while (std::getline(in, line)) {
            if (!line.empty() && line.back() == '\r') {
                line.pop_back();
            }
            PlainRow row;
            std::size_t from = 0;
            for (;;) {
                const std::size_t comma = line.find(',', from);
                std::string field = line.substr(from, comma == std::string::npos ? comma : comma - from);
                if (from == 0) {
                    row.caption = std::move(field);
                } else {
                    row.subItems.push_back(std::move(field));
                }
                if (comma == std::string::npos) {
                    break;
                }
                from = comma + 1;
            }
            rows.push_back(std::move(row));
        }
        std::stable_sort(rows.begin(), rows.end(),
                         [](const PlainRow& a, const PlainRow& b) { return a.caption < b.caption; });
        state.PauseTiming();
        if (rows.size() != static_cast<std::size_t>(kRows)) {
            state.SkipWithError("wrong row count");
        }
        rows = {};
        state.ResumeTiming();
    }
    state.counters["peak_rss_MB"] = peakRssMegabytes();
    state.counters["peak_rss_before_MB"] = before;
}
BENCHMARK(BM_Baseline_PlainReader)->Unit(benchmark::kMillisecond)->Iterations(ostrevo::bench::iterations(3));

// The fair peer of Load: the whole file in one buffer, each row three views
// into it, a stable sort of the rows by caption (run alone as well:
// --benchmark_filter=Peer).
void BM_Peer_ViewsIntoOneBuffer(benchmark::State& state)
{
    const fs::path& file = resultFile();
    const double before = peakRssMegabytes();
    struct Row {
        std::string_view caption;
        std::string_view mail;
        std::string_view date;
        bool checked = false;
    };
    for (auto _ : state) {
        std::string text(fs::file_size(file), '\0');
        std::ifstream(file, std::ios::binary).read(text.data(), static_cast<std::streamsize>(text.size()));
        std::vector<Row> rows;
        std::string_view rest = text;
        rest.remove_prefix(std::min(rest.size(), rest.find('\n') + 1)); // the header
        while (!rest.empty()) {
            const std::size_t end = std::min(rest.find('\n'), rest.size());
            std::string_view line = rest.substr(0, end);
            rest.remove_prefix(std::min(rest.size(), end + 1));
            if (!line.empty() && line.back() == '\r') {
                line.remove_suffix(1);
            }
            std::string_view fields[3];
            for (std::string_view& field : fields) {
                const std::size_t comma = std::min(line.find(','), line.size());
                field = line.substr(0, comma);
                line.remove_prefix(std::min(line.size(), comma + 1));
            }
            rows.push_back({fields[0], fields[1], fields[2]});
        }
        std::stable_sort(rows.begin(), rows.end(),
                         [](const Row& a, const Row& b) { return a.caption < b.caption; });
        state.PauseTiming();
        if (rows.size() != static_cast<std::size_t>(kRows)) {
            state.SkipWithError("wrong row count");
        }
        rows = {};
        state.ResumeTiming();
    }
    state.counters["peak_rss_MB"] = peakRssMegabytes();
    state.counters["peak_rss_before_MB"] = before;
}
BENCHMARK(BM_Peer_ViewsIntoOneBuffer)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(ostrevo::bench::iterations(3));

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
BENCHMARK(BM_Save)->Unit(benchmark::kMillisecond)->Iterations(ostrevo::bench::iterations(5));

} // namespace

BENCHMARK_MAIN();
