// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
//
// Whois answers of 200 KB made up here: a registrar answer padded with
// terms-of-use text; and pages of 20 and 200 KB of legal notices that name
// the expiry without a date, beside a plain reader that finds "xpir" and
// reads the one date after it (Peer_*).
//
//   build/<dir>/bench/whoisparser_bench --benchmark_min_time=0.5

#include "lookup/whoisparser.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

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

// --- Legal notices as registries write them ---------------------------------
// Paragraphs a browser gives as one long line each, naming the expiry many
// times beside section numbers, years and periods, but no date after a label.
const std::string LegalNotice =
    "NOTICE: The expiration date displayed in this record is the date the registrar's sponsorship of the "
    "domain name registration in the registry is currently set to expire, as provided in section 3.7.5 of "
    "the 2013 Registrar Accreditation Agreement. This date does not necessarily reflect the expiration date "
    "of the domain name registrant's agreement with the sponsoring registrar; names that expire are held for "
    "30 days of redemption and 5 days pending delete, and renewals made within 45 days after the date of "
    "expiration are refunded in line with policy 2.1 of 2008. Users may consult the sponsoring registrar's "
    "Whois database to view the registrar's reported date of expiration for this registration.\r\n"
    "TERMS OF USE: You are not authorized to access or query our Whois database through the use of "
    "electronic processes that are high-volume and automated except as reasonably necessary to register "
    "domain names or modify existing registrations; the Data in the database is provided for information "
    "purposes only, and we do not guarantee its accuracy. By submitting a Whois query, you agree to abide by "
    "these terms of use (version 4.2, 1 May 2019), which expire only when replaced, and to the limits of 60 "
    "queries in 1 minute and 1000 in 24 hours.\r\n";

// The date far from its label, as a table of the record lays it out.
const std::string SpacedRecord = "Domain Name: harbourlights.com\r\n"
                                 "Registrar URL: https://www.bluecanyon.example\r\n"
                                 "Registrar Registration Expiration Date:" +
                                 std::string(120, ' ') +
                                 "2028-09-12T00:00:00-0700\r\n"
                                 "Registrant Email: owner@harbourlights.com\r\n";

enum class Shape { RecordFirst, RecordLast, NoRecord };

std::string noticePage(std::size_t size, Shape shape)
{
    const std::string record = shape == Shape::NoRecord ? std::string() : SpacedRecord;
    const std::string notices = padding(size - record.size(), LegalNotice);
    return shape == Shape::RecordFirst ? record + notices : notices + record;
}

// What a plain program would do: lower-case the page once, find each
// "xpir" (a rare letter first, so the search skips fast) and read the one
// date that the first digit after it on its line starts (2028-09-12,
// 12.09.2028, 12-sep-2028).
class PeerReader {
public:
    std::string expiry(std::string_view page)
    {
        m_lower.resize(page.size());
        std::transform(page.begin(), page.end(), m_lower.begin(),
                       [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c | 0x20) : c; });
        const std::string_view text = m_lower;
        for (std::size_t at = text.find("xpir"); at != std::string_view::npos; at = text.find("xpir", at)) {
            const void* newline = std::memchr(text.data() + at, '\n', text.size() - at);
            std::size_t end = newline == nullptr
                                  ? text.size()
                                  : static_cast<std::size_t>(static_cast<const char*>(newline) - text.data());
            end -= end > at && text[end - 1] == '\r' ? 1 : 0;
            std::size_t digit = at;
            while (digit < end && (text[digit] < '0' || text[digit] > '9')) {
                ++digit;
            }
            if (digit < end) {
                if (std::string date = dateAt(text.substr(digit, end - digit)); !date.empty()) {
                    return date;
                }
            }
            at = end;
        }
        return {};
    }

private:
    static int number(std::string_view text, std::size_t at, std::size_t digits)
    {
        int value = 0;
        for (std::size_t i = at; i < at + digits; ++i) {
            if (i >= text.size() || text[i] < '0' || text[i] > '9') {
                return -1;
            }
            value = value * 10 + (text[i] - '0');
        }
        return value;
    }
    static int month(std::string_view name)
    {
        static constexpr std::string_view Names = "janfebmaraprmayjunjulaugsepoctnovdec";
        const std::size_t at = name.size() == 3 ? Names.find(name) : std::string_view::npos;
        return at == std::string_view::npos || at % 3 != 0 ? -1 : static_cast<int>(at / 3) + 1;
    }
    static std::string format(int year, int month, int day)
    {
        if (year < 1985 || month < 1 || month > 12 || day < 1 || day > 31) {
            return {};
        }
        char text[32];
        std::snprintf(text, sizeof text, "%04d/%02d/%02d", year, month, day);
        return text;
    }
    static std::string dateAt(std::string_view text)
    {
        if (const int year = number(text, 0, 4); year >= 0 && text.size() >= 10) {
            return format(year, number(text, 5, 2), number(text, 8, 2));
        }
        const int day = number(text, 0, 2);
        if (day < 0 || text.size() < 10) {
            return {};
        }
        if (text[2] == '.' || text[2] == '/') {
            return format(number(text, 6, 4), number(text, 3, 2), day);
        }
        return text.size() >= 11 ? format(number(text, 7, 4), month(text.substr(3, 3)), day) : std::string();
    }

    std::string m_lower;
};

void checkAnswer(benchmark::State& state, const std::string& page, const std::string& read, Shape shape)
{
    if (read != (shape == Shape::NoRecord ? "" : "2028/09/12")) {
        state.SkipWithError("page not read");
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(page.size()));
}

void BM_ParseWhoisPage_LegalNotices(benchmark::State& state, Shape shape)
{
    const std::string page = noticePage(static_cast<std::size_t>(state.range(0)), shape);
    for (auto _ : state) {
        benchmark::DoNotOptimize(ostrevo::ParseWhoisPage(page));
    }
    checkAnswer(state, page, ostrevo::ParseWhoisPage(page).record.expires, shape);
}

void BM_Peer_LegalNotices(benchmark::State& state, Shape shape)
{
    const std::string page = noticePage(static_cast<std::size_t>(state.range(0)), shape);
    PeerReader peer;
    for (auto _ : state) {
        benchmark::DoNotOptimize(peer.expiry(page));
    }
    checkAnswer(state, page, peer.expiry(page), shape);
}

void noticeSizes(benchmark::internal::Benchmark* b)
{
    b->Arg(20 * 1024)->Arg(200 * 1024)->Unit(benchmark::kMicrosecond);
}
BENCHMARK_CAPTURE(BM_ParseWhoisPage_LegalNotices, RecordFirst, Shape::RecordFirst)->Apply(noticeSizes);
BENCHMARK_CAPTURE(BM_Peer_LegalNotices, RecordFirst, Shape::RecordFirst)->Apply(noticeSizes);
BENCHMARK_CAPTURE(BM_ParseWhoisPage_LegalNotices, RecordLast, Shape::RecordLast)->Apply(noticeSizes);
BENCHMARK_CAPTURE(BM_Peer_LegalNotices, RecordLast, Shape::RecordLast)->Apply(noticeSizes);
BENCHMARK_CAPTURE(BM_ParseWhoisPage_LegalNotices, NoRecord, Shape::NoRecord)->Apply(noticeSizes);
BENCHMARK_CAPTURE(BM_Peer_LegalNotices, NoRecord, Shape::NoRecord)->Apply(noticeSizes);

} // namespace

BENCHMARK_MAIN();
