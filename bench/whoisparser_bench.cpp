// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
//
// Whois answers of 200 KB made up here: a registrar answer padded with
// terms-of-use text.
//
//   build/<dir>/bench/whoisparser_bench --benchmark_min_time=0.5

#include "lookup/whoisparser.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

namespace {

constexpr std::size_t PageSize = 200 * 1024;

const std::string Record = "Domain Name: harbourlights.com\r\n"
                           "Registrar URL: https://www.bluecanyon.example\r\n"
                           "Updated Date: 2024-09-14T10:11:12-0700\r\n"
                           "Creation Date: 1998-09-12T00:00:00-0700\r\n"
                           "Registrar Registration Expiration Date: 2028-09-12T00:00:00-0700\r\n"
                           "Registrar Abuse Contact Email: abuse@bluecanyon.example\r\n";

const std::string TermsOfUse =
    "TERMS OF USE: You are not authorized to access or query our Whois database "
    "through the use of electronic processes that are high-volume and automated, "
    "\"except\" as reasonably necessary to register domain names; 1998 - 2025.\r\n";

// Notices that name the expiry over and over without a date.
const std::string ExpiryNotice = "NOTICE: The expiration date displayed in this record is the date the "
                                 "registrar's sponsorship expires; renewal date, paid-till and valid until "
                                 "dates of the registry may differ. Expired names are deleted.\r\n";

std::string padding(std::size_t size, const std::string& line = TermsOfUse)
{
    std::string out;
    while (out.size() + line.size() <= size) {
        out += line;
    }
    out.append(size - out.size(), ' ');
    return out;
}

void parse(benchmark::State& state, const std::string& page)
{
    for (auto _ : state) {
        benchmark::DoNotOptimize(ostrevo::ParseWhoisPage(page));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(page.size()));
    if (ostrevo::ParseWhoisPage(page).record.expires != "2028/09/12") {
        state.SkipWithError("page not read");
    }
}

// Record first, notices after it: the usual shape.
void BM_ParseWhoisPage_RecordFirst(benchmark::State& state)
{
    const std::string page = Record + padding(PageSize - Record.size());
    parse(state, page);
}
BENCHMARK(BM_ParseWhoisPage_RecordFirst)->Unit(benchmark::kMicrosecond);

// Record last: every search and the e-mail token scan cross the whole page.
void BM_ParseWhoisPage_RecordLast(benchmark::State& state)
{
    const std::string page = padding(PageSize - Record.size()) + Record;
    parse(state, page);
}
BENCHMARK(BM_ParseWhoisPage_RecordLast)->Unit(benchmark::kMicrosecond);

// Nothing to find: the substring tests alone.
void BM_ParseWhoisPage_NoRecord(benchmark::State& state)
{
    const std::string page = padding(PageSize);
    for (auto _ : state) {
        benchmark::DoNotOptimize(ostrevo::ParseWhoisPage(page));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(page.size()));
}
BENCHMARK(BM_ParseWhoisPage_NoRecord)->Unit(benchmark::kMicrosecond);

// Expiry notices without a date, record last: every line is an expiry line.
void BM_ParseWhoisPage_ExpiryNotices(benchmark::State& state)
{
    const std::string page = padding(PageSize - Record.size(), ExpiryNotice) + Record;
    parse(state, page);
}
BENCHMARK(BM_ParseWhoisPage_ExpiryNotices)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
