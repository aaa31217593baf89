// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
//
// Turning a loaded page's text (1 MB of UTF-16 as the browser hands it over)
// into the UTF-8, CR LF text the parsers read.
//   PageText_OnePass: what the page loader does.
//   Baseline_Utf8Only: Qt's own UTF-8 conversion with no line-end fix, the
//     least any reader of the text pays.
//   Baseline_TwoPasses: Qt's conversion, then a second pass over the bytes
//     for the line ends.
// The browser's own time to hand the text over is measured by
// platform_measure; these figures are what comes on top of it.

#include "pageloader/lineends.h"

#include <QString>

#include <benchmark/benchmark.h>

#include <random>
#include <string>

namespace {

const QString& pageText()
{
    static const QString text = [] {
        static const char16_t* const words[] = {u"domain",
                                                u"registrar",
                                                u"r\u00e9sultats",
                                                u"2025-11-05",
                                                u"www.example.com",
                                                u"Preis 12\u20ac",
                                                u"Cached",
                                                u"a",
                                                u"contact@example.net",
                                                u"\u65e5\u672c",
                                                u"more"};
        std::mt19937 random(5);
        QString out;
        while (out.size() < 1024 * 1024) {
            const int count = 4 + static_cast<int>(random() % 14);
            for (int i = 0; i < count; ++i) {
                out += QString::fromUtf16(words[random() % std::size(words)]);
                out += QLatin1Char(' ');
            }
            out += QLatin1Char('\n');
        }
        return out;
    }();
    return text;
}

std::u16string_view unitsOf(const QString& text)
{
    return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())};
}

void BM_PageText_OnePass(benchmark::State& state)
{
    const QString& text = pageText();
    for (auto _ : state) {
        benchmark::DoNotOptimize(ostrevo::utf8WithCrLfLineEnds(unitsOf(text)));
    }
    state.SetBytesProcessed(state.iterations() * text.size() * 2);
}
BENCHMARK(BM_PageText_OnePass)->Unit(benchmark::kMicrosecond);

void BM_Baseline_Utf8Only(benchmark::State& state)
{
    const QString& text = pageText();
    for (auto _ : state) {
        benchmark::DoNotOptimize(text.toStdString());
    }
    state.SetBytesProcessed(state.iterations() * text.size() * 2);
}
BENCHMARK(BM_Baseline_Utf8Only)->Unit(benchmark::kMicrosecond);

void BM_Baseline_TwoPasses(benchmark::State& state)
{
    const QString& text = pageText();
    for (auto _ : state) {
        const std::string utf8 = text.toStdString();
        std::string result;
        result.reserve(utf8.size() + utf8.size() / 16);
        for (std::size_t i = 0; i < utf8.size(); ++i) {
            const char c = utf8[i];
            if (c == '\r' || c == '\n') {
                if (c == '\r' && i + 1 < utf8.size() && utf8[i + 1] == '\n') {
                    ++i;
                }
                result += "\r\n";
            } else {
                result += c;
            }
        }
        benchmark::DoNotOptimize(result);
    }
    state.SetBytesProcessed(state.iterations() * text.size() * 2);
}
BENCHMARK(BM_Baseline_TwoPasses)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
