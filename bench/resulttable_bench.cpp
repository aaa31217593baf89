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
//   ClearRows / DestroyTable: 1,000,000 filled rows let go.
// Baseline_* are plain C++ peers doing the same work on the same rows; Peer_*
// the fair ones, the plain C++ a careful engineer would write for the job
// (the README's ratios are against these).

#include "resultlist/resultcolumns.h"
#include "resultlist/resulttable.h"

#include "benchsupport.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <deque>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

const int kRows = ostrevo::bench::sized(1000000, 2000);
const int kAppends = ostrevo::bench::sized(100000, 1000);

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

std::unique_ptr<ResultTable> filledTable(int rows)
{
    auto table = std::make_unique<ResultTable>();
    setUp(*table);
    fill(*table, rows);
    return table;
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
BENCHMARK(BM_AppendLookupPattern)
    ->Arg(kAppends)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(ostrevo::bench::iterations(5));

// The rows a plain C++ program would keep: one object per row.
struct PlainRow {
    std::string caption;
    std::vector<std::string> subItems;
    bool checked = false;
};

struct CaptionLess {
    bool operator()(const PlainRow& a, const PlainRow& b) const { return a.caption < b.caption; }
};

struct CaptionEntryLess {
    bool operator()(const std::pair<std::string_view, const PlainRow*>& a,
                    const std::pair<std::string_view, const PlainRow*>& b) const
    {
        return a.first < b.first;
    }
};

void BM_Baseline_AppendMultisetOfCaptions(benchmark::State& state)
{
    const int rows = static_cast<int>(state.range(0));
    std::mt19937 random(1);
    std::vector<std::string> hosts;
    for (int i = 0; i < rows; ++i) {
        hosts.push_back(randomHost(random));
    }
    for (auto _ : state) {
        auto table = std::make_unique<std::multiset<PlainRow, CaptionLess>>();
        for (int i = 0; i < rows; ++i) {
            table->insert(
                PlainRow{hosts[static_cast<std::size_t>(i)], {"mailto:contact@example.com", "2027/05/14"}});
        }
        state.PauseTiming();
        table.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * rows);
}
BENCHMARK(BM_Baseline_AppendMultisetOfCaptions)
    ->Arg(kAppends)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(ostrevo::bench::iterations(5));

// The fair peer: each row one object in a deque (added in place, never
// moved), kept in caption order by a multiset of (caption, row) entries;
// equal captions keep the order they came in, as the table's do.
void BM_Peer_AppendRowsAndCaptionMultiset(benchmark::State& state)
{
    const int rows = static_cast<int>(state.range(0));
    std::mt19937 random(1);
    std::vector<std::string> hosts;
    for (int i = 0; i < rows; ++i) {
        hosts.push_back(randomHost(random));
    }
    using Order = std::multiset<std::pair<std::string_view, const PlainRow*>, CaptionEntryLess>;
    for (auto _ : state) {
        auto table = std::make_unique<std::deque<PlainRow>>();
        auto order = std::make_unique<Order>();
        for (int i = 0; i < rows; ++i) {
            PlainRow& row = table->emplace_back();
            row.caption = hosts[static_cast<std::size_t>(i)];
            row.subItems.emplace_back("mailto:contact@example.com");
            row.subItems.emplace_back("2027/05/14");
            order->emplace(row.caption, &row);
        }
        state.PauseTiming();
        order.reset();
        table.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * rows);
}
BENCHMARK(BM_Peer_AppendRowsAndCaptionMultiset)
    ->Arg(kAppends)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(ostrevo::bench::iterations(5));

std::vector<PlainRow> plainRows(int rows)
{
    std::mt19937 random(42);
    std::vector<PlainRow> out;
    out.reserve(static_cast<std::size_t>(rows));
    for (int i = 0; i < rows; ++i) {
        std::string host = randomHost(random);
        std::string mail = "mailto:contact@" + host.substr(11);
        out.push_back({std::move(host), {std::move(mail), randomDate(random)}});
    }
    return out;
}

void BM_ClearRows(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        const std::unique_ptr<ResultTable> table = filledTable(kRows);
        state.ResumeTiming();
        table->ClearRows();
    }
}
BENCHMARK(BM_ClearRows)->Unit(benchmark::kMillisecond)->Iterations(ostrevo::bench::iterations(3));

void BM_DestroyTable(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        std::unique_ptr<ResultTable> table = filledTable(kRows);
        state.ResumeTiming();
        table.reset();
    }
}
BENCHMARK(BM_DestroyTable)->Unit(benchmark::kMillisecond)->Iterations(ostrevo::bench::iterations(3));

void BM_Baseline_VectorOfRowsTeardown(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        auto rows = std::make_unique<std::vector<PlainRow>>(plainRows(kRows));
        state.ResumeTiming();
        rows.reset();
    }
}
BENCHMARK(BM_Baseline_VectorOfRowsTeardown)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(ostrevo::bench::iterations(3));

// The fair peer: rows of three views into text blocks of 1 MiB, kept in
// one vector; letting them go frees the blocks and the vector.
class RowArena {
public:
    struct Row {
        std::string_view caption;
        std::string_view mail;
        std::string_view date;
        bool checked = false;
    };
    void add(std::string_view caption, std::string_view mail, std::string_view date)
    {
        m_rows.push_back({store(caption), store(mail), store(date)});
    }

private:
    std::string_view store(std::string_view text)
    {
        constexpr std::size_t BlockBytes = 1 << 20;
        if (m_blocks.empty() || m_used + text.size() > BlockBytes) {
            m_blocks.push_back(std::make_unique_for_overwrite<char[]>(std::max(BlockBytes, text.size())));
            m_used = 0;
        }
        char* at = m_blocks.back().get() + m_used;
        std::copy(text.begin(), text.end(), at);
        m_used += text.size();
        return {at, text.size()};
    }
    std::vector<std::unique_ptr<char[]>> m_blocks;
    std::size_t m_used = 0;
    std::vector<Row> m_rows;
};

std::unique_ptr<RowArena> filledArena(int rows)
{
    auto arena = std::make_unique<RowArena>();
    std::mt19937 random(42);
    for (int i = 0; i < rows; ++i) {
        const std::string host = randomHost(random);
        arena->add(host, "mailto:contact@" + host.substr(11), randomDate(random));
    }
    return arena;
}

void BM_Peer_RowArenaTeardown(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        std::unique_ptr<RowArena> arena = filledArena(kRows);
        state.ResumeTiming();
        arena.reset();
    }
}
BENCHMARK(BM_Peer_RowArenaTeardown)->Unit(benchmark::kMillisecond)->Iterations(ostrevo::bench::iterations(3));

void BM_PaintRows(benchmark::State& state)
{
    const std::unique_ptr<ResultTable> table = filledTable(static_cast<int>(state.range(0)));
    std::mt19937 random(3);
    std::size_t bytes = 0;
    for (auto _ : state) {
        const int top = static_cast<int>(random() % static_cast<unsigned>(table->RowCount() - 50));
        for (int i = top; i < top + 50; ++i) {
            const ResultRow& row = table->Row(i);
            bytes += row.Caption().size() + row.SubItemOrEmpty(0).size() + row.SubItemOrEmpty(1).size();
        }
    }
    benchmark::DoNotOptimize(bytes);
}
BENCHMARK(BM_PaintRows)->Arg(kRows)->Unit(benchmark::kMicrosecond);

void BM_SortByColumn(benchmark::State& state)
{
    const std::unique_ptr<ResultTable> table = filledTable(kRows);
    const int column = static_cast<int>(state.range(0));
    int direction = -1;
    for (auto _ : state) {
        table->SortByColumn(column, direction);
        direction = -direction;
    }
}
BENCHMARK(BM_SortByColumn)
    ->Arg(0)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(ostrevo::bench::iterations(4));

// The Expires column sorted as a plain program would: a stable sort of
// pointers to the rows, comparing the date texts.
void BM_Baseline_StableSortRowPointers(benchmark::State& state)
{
    std::vector<PlainRow> rows = plainRows(kRows);
    std::vector<const PlainRow*> order;
    for (const PlainRow& row : rows) {
        order.push_back(&row);
    }
    bool descending = true;
    for (auto _ : state) {
        std::stable_sort(order.begin(), order.end(), [descending](const PlainRow* a, const PlainRow* b) {
            return descending ? b->subItems[1] < a->subItems[1] : a->subItems[1] < b->subItems[1];
        });
        descending = !descending;
    }
}
BENCHMARK(BM_Baseline_StableSortRowPointers)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(ostrevo::bench::iterations(4));

// The fair peer: the rows' display order sorted by Expires as a careful
// program would: an entry per row holding the date's first sixteen bytes as
// two numbers beside the row's pointer (a date lies wholly in them), a
// stable sort on those, longer texts compared in full only on equal keys,
// and the order written back.
std::uint64_t bytesFrom(const std::string& text, std::size_t from)
{
    std::uint64_t key = 0;
    for (std::size_t i = from; i < from + 8; ++i) {
        key = key << 8 | (i < text.size() ? static_cast<unsigned char>(text[i]) : 0U);
    }
    return key;
}

void BM_Peer_StableSortKeyedEntries(benchmark::State& state)
{
    std::vector<PlainRow> rows = plainRows(kRows);
    std::vector<const PlainRow*> order;
    for (const PlainRow& row : rows) {
        order.push_back(&row);
    }
    struct Entry {
        std::uint64_t high;
        std::uint64_t low;
        const PlainRow* row;
    };
    std::vector<Entry> entries(order.size());
    bool descending = true;
    for (auto _ : state) {
        for (std::size_t i = 0; i < order.size(); ++i) {
            const std::string& date = order[i]->subItems[1];
            entries[i] = {bytesFrom(date, 0), bytesFrom(date, 8), order[i]};
        }
        const auto before = [](const Entry& a, const Entry& b) {
            if (a.high != b.high || a.low != b.low) {
                return a.high != b.high ? a.high < b.high : a.low < b.low;
            }
            return a.row->subItems[1].size() > 16 && a.row->subItems[1] < b.row->subItems[1];
        };
        if (descending) {
            std::stable_sort(entries.begin(), entries.end(),
                             [&](const Entry& a, const Entry& b) { return before(b, a); });
        } else {
            std::stable_sort(entries.begin(), entries.end(), before);
        }
        for (std::size_t i = 0; i < order.size(); ++i) {
            order[i] = entries[i].row;
        }
        descending = !descending;
    }
}
BENCHMARK(BM_Peer_StableSortKeyedEntries)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(ostrevo::bench::iterations(4));

} // namespace

BENCHMARK_MAIN();
