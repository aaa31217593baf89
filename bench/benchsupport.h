// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// Made-up inputs the benchmarks share: host names of a few syllables and
// expiry dates, from a seeded generator so that every run sees the same, and
// whois-like HTML pages; and the sizes of a smoke run.

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <random>
#include <string>

namespace ostrevo::bench {

// OSTREVO_BENCH_SMOKE=1 runs every case once at a small size
// (scripts/bench-smoke.sh), so that a benchmark that hangs, reads the wrong
// setting or no longer finds what it measures fails in seconds.
inline bool smokeRun()
{
    static const bool smoke = std::getenv("OSTREVO_BENCH_SMOKE") != nullptr;
    return smoke;
}

// `full`, or `small` in a smoke run.
template <typename Number> Number sized(Number full, Number small)
{
    return smokeRun() ? small : full;
}

// Iterations of a case with a fixed count: one in a smoke run.
inline int iterations(int full)
{
    return smokeRun() ? 1 : full;
}

// "kalomi1234.com": two to four syllables, a number below `numbers`, .com or .net.
inline std::string randomDomain(std::mt19937& random, unsigned numbers)
{
    static const char* const syllables[] = {"ka",  "lo",  "mi",  "ne",  "ro",  "ta",  "vu",
                                            "shi", "pra", "den", "gol", "bex", "tri", "zon",
                                            "mar", "qu",  "el",  "os",  "an",  "ix"};
    std::string name;
    const int count = 2 + static_cast<int>(random() % 3);
    for (int i = 0; i < count; ++i) {
        name += syllables[random() % std::size(syllables)];
    }
    name += std::to_string(random() % numbers);
    name += random() % 3 == 0 ? ".net" : ".com";
    return name;
}

// yyyy/mm/dd between 2024 and 2033.
inline std::string randomDate(std::mt19937& random)
{
    char text[16];
    std::snprintf(text, sizeof text, "%04u/%02u/%02u", static_cast<unsigned>(2024 + random() % 10),
                  static_cast<unsigned>(1 + random() % 12), static_cast<unsigned>(1 + random() % 28));
    return text;
}

// An HTML page of about `bytes` bytes: one whois-like paragraph a line, each
// ending in `lineTail`.
inline std::string whoisLikePage(std::size_t bytes, const std::string& lineTail = {})
{
    std::string page = "<html><head><title>bench</title></head><body>\n";
    for (int line = 0; page.size() < bytes; ++line) {
        page += "<p>Domain Name: example-" + std::to_string(line) +
                ".com Registrar Registration Expiration Date: 2027-03-14" + lineTail + "</p>\n";
    }
    page += "</body></html>\n";
    return page;
}

} // namespace ostrevo::bench
