// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
//
// Link harvesting at full size:
//   parsepage over every line of a 5 MB result text        (target < 100 ms)
//   parsepage over one 1 MB line of 200,000 words           (no target; must stay linear)
//   100,000 URL list appends, plain and sorted mode          (target < 200 ms each)
//   Finish over 100,000 entries                              (target < 200 ms)
//   opening a 1,000,000-line URL list file                   (target < 2 s)

#include "rechercheweb/hosthandover.h"
#include "rechercheweb/linkextraction.h"
#include "rechercheweb/urllist.h"
#include "rechercheweb/urllistfile.h"

#include "benchsupport.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <unordered_set>
#include <vector>

namespace {

using namespace ostrevo;

const std::size_t PageBytes = bench::sized<std::size_t>(5U * 1024U * 1024U, 64U * 1024U);
const int ListEntries = bench::sized(100'000, 1000);
const int FileLines = bench::sized(1'000'000, 1000);

// Result page text as a browser's innerText gives it: titles, the green URL
// line with its "Cached" suffix, snippets with a link now and then.
std::string resultPageText()
{
    std::mt19937 random(42);
    std::string text;
    text.reserve(PageBytes + 1024);
    for (int i = 0; text.size() < PageBytes; ++i) {
        const std::string site = "site" + std::to_string(random() % 50000);
        text += "Cheap hotels in town " + std::to_string(i) + " - " + site + " official page\r\n";
        text += "www." + site + ".com/hotels/rooms.html - 12k - Cached - Similar pages\r\n";
        text += "Book now, compare prices; see http://www.other" + std::to_string(random() % 50000) +
                ".net/offers for more, or read reviews of our rooms and suites\r\n";
        text += "Results 1 - 10 of about 1,230,000 for cheap hotels. (0.21 seconds)\r\n";
    }
    return text;
}

std::vector<std::string> hostTexts(int count)
{
    std::mt19937 random(7);
    std::vector<std::string> texts;
    texts.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        texts.push_back("http://www.host" + std::to_string(random()) + "-" + std::to_string(i) + ".com/page");
    }
    return texts;
}

void BM_ParseAllLinesOf5MBPage(benchmark::State& state)
{
    const std::string text = resultPageText();
    const CutMarkers markers{" - Cached"};
    for (auto _ : state) {
        const PageLines page = PageLines::fromText(text);
        UrlList urls;
        parseAllLines(page, markers, urls);
        benchmark::DoNotOptimize(urls.count());
        state.counters["hosts"] = urls.count();
        state.counters["lines"] = page.count();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ParseAllLinesOf5MBPage)->Unit(benchmark::kMillisecond);

// One 1 MB line of 200,000 short words and a link at the end: every word is
// a pass of its own, so the cost per pass must not grow with the line.
void BM_ParseOneLongLine1MB(benchmark::State& state)
{
    std::string line;
    while (line.size() < 1024U * 1024U) {
        line += "word ";
    }
    line += "www.last.com/x";
    for (auto _ : state) {
        UrlList urls;
        parsepage(line, {" - Cached"}, urls);
        benchmark::DoNotOptimize(urls.count());
    }
}
BENCHMARK(BM_ParseOneLongLine1MB)->Unit(benchmark::kMillisecond);

void BM_UrlListAppend100k(benchmark::State& state)
{
    const bool sorted = state.range(0) != 0;
    const std::vector<std::string> texts = hostTexts(ListEntries);
    for (auto _ : state) {
        UrlList urls;
        if (sorted) {
            urls.sortAlphabetically();
        }
        for (const auto& text : texts) {
            urls.append(text);
        }
        benchmark::DoNotOptimize(urls.count());
    }
    state.SetLabel(sorted ? "sorted mode" : "plain");
}
BENCHMARK(BM_UrlListAppend100k)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The fair peer of the plain mode: the entries in a vector, their lower-case
// forms in a hash set that turns duplicates away.
void BM_Peer_AppendUniqueIgnoringCase(benchmark::State& state)
{
    const std::vector<std::string> texts = hostTexts(ListEntries);
    for (auto _ : state) {
        std::vector<std::string> entries;
        std::unordered_set<std::string> seen;
        for (const auto& text : texts) {
            std::string key = text;
            std::transform(key.begin(), key.end(), key.begin(),
                           [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c | 0x20) : c; });
            if (seen.insert(std::move(key)).second) {
                entries.push_back(text);
            }
        }
        benchmark::DoNotOptimize(entries.size());
    }
}
BENCHMARK(BM_Peer_AppendUniqueIgnoringCase)->Unit(benchmark::kMillisecond);

void BM_Finish100k(benchmark::State& state)
{
    UrlList source;
    for (const auto& text : hostTexts(ListEntries)) {
        source.append(text);
    }
    for (auto _ : state) {
        state.PauseTiming();
        UrlList urls = source;
        state.ResumeTiming();
        reduceToHosts(urls);
        benchmark::DoNotOptimize(urls.count());
    }
}
BENCHMARK(BM_Finish100k)->Unit(benchmark::kMillisecond);

void BM_OpenUrlFile1MLines(benchmark::State& state)
{
    const auto file = std::filesystem::temp_directory_path() / "ostrevo-bench-urls.txt";
    {
        std::ofstream out(file, std::ios::binary);
        for (int i = 0; i < FileLines; ++i) {
            out << "http://www.site" << i << ".com/index.html\r\n";
        }
    }
    for (auto _ : state) {
        UrlList urls;
        openUrlListFile(file, urls);
        benchmark::DoNotOptimize(urls.count());
    }
    state.counters["MB"] = static_cast<double>(std::filesystem::file_size(file)) / 1e6;
    std::filesystem::remove(file);
}
BENCHMARK(BM_OpenUrlFile1MLines)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
