// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
//
// The result table under the lookup run's load and a view's repaints.
//   AppendLookupPattern: 100,000 rows added one by one, each AddRow, caption,
//     two sub-items and a look at a row by index, with an observer attached;
//     the time is for all 100,000 (target: under 0.3 s).
//   PaintRows: 50 rows read by index from a 1,000,000-row table, as one
//     repaint does.
//   SortByColumn: a header click over 1,000,000 rows (target: under 1.5 s).

#include "resultlist/resultcolumns.h"
#include "resultlist/resulttable.h"

#include "benchsupport.h"

#include <benchmark/benchmark.h>

#include <random>

namespace {

using ostrevo::ResultRow;
using ostrevo::ResultTable;

std::string randomHost(std::mt19937& random)
{
    return "http://www." + ostrevo::bench::randomDomain(random, 10000);
}

using ostrevo::bench::randomDate;

void setUp(ResultTable& table)
{
    table.SetSortType(ostrevo::SortType::stBoth);
    table.SetCheckboxes(true);
    ostrevo::setUpResultColumns(table);
}

// What a Qt model does with the notifications, minus Qt: note the indices.
class CountingObserver : public ostrevo::ResultTableObserver {
public:
    long long sum = 0;
    void rowsAboutToBeInserted(int first, int last) override { sum += first + last; }
    void rowsInserted() override {}
    void rowsAboutToBeRemoved(int first, int last) override { sum += first + last; }
    void rowsRemoved() override {}
    void rowAboutToBeMoved(int from, int to) override { sum += from + to; }
    void rowMoved() override {}
    void layoutAboutToBeChanged() override {}
    void layoutChanged() override {}
    void rowChanged(int index) override { sum += index; }
    void aboutToReset() override {}
    void reset() override {}
    void updatesSuspended(bool) override {}
};

void fill(ResultTable& table, int rows)
{
    std::mt19937 random(42);
    table.BeginBulkUpdate();
    for (int i = 0; i < rows; ++i) {
        ResultRow& row = table.AddRow();
        std::string host = randomHost(random);
        row.AppendSubItem("mailto:contact@" + host.substr(11));
        row.AppendSubItem(randomDate(random));
        row.SetCaption(std::move(host));
    }
    table.EndBulkUpdate();
}

void BM_AppendLookupPattern(benchmark::State& state)
{
    const int rows = static_cast<int>(state.range(0));
    std::mt19937 random(1);
    std::vector<std::string> hosts;
    for (int i = 0; i < rows; ++i) {
        hosts.push_back(randomHost(random));
    }
    for (auto _ : state) {
        state.PauseTiming();
        auto table = std::make_unique<ResultTable>();
        setUp(*table);
        CountingObserver observer;
        table->setObserver(&observer);
        state.ResumeTiming();

        for (int i = 0; i < rows; ++i) {
            ResultRow& row = table->AddRow();
            row.SetCaption(hosts[static_cast<std::size_t>(i)]);
            row.AppendSubItem("mailto:contact@example.com");
            row.AppendSubItem("2027/05/14");
            benchmark::DoNotOptimize(&table->Row(i / 2));
        }

        state.PauseTiming();
        benchmark::DoNotOptimize(observer.sum);
        table.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * rows);
}
BENCHMARK(BM_AppendLookupPattern)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_PaintRows(benchmark::State& state)
{
    ResultTable table;
    setUp(table);
    fill(table, static_cast<int>(state.range(0)));
    std::mt19937 random(3);
    std::size_t bytes = 0;
    for (auto _ : state) {
        const int top = static_cast<int>(random() % static_cast<unsigned>(table.RowCount() - 50));
        for (int i = top; i < top + 50; ++i) {
            const ResultRow& row = table.Row(i);
            bytes += row.Caption().size() + row.SubItemOrEmpty(0).size() + row.SubItemOrEmpty(1).size();
        }
    }
    benchmark::DoNotOptimize(bytes);
}
BENCHMARK(BM_PaintRows)->Arg(1000000)->Unit(benchmark::kMicrosecond);

void BM_SortByColumn(benchmark::State& state)
{
    ResultTable table;
    setUp(table);
    fill(table, 1000000);
    const int column = static_cast<int>(state.range(0));
    int direction = -1;
    for (auto _ : state) {
        table.SortByColumn(column, direction);
        direction = -direction;
    }
}
BENCHMARK(BM_SortByColumn)->Arg(0)->Arg(2)->Unit(benchmark::kMillisecond)->Iterations(4);

} // namespace

BENCHMARK_MAIN();
