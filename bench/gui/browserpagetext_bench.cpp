// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
//
// The text of a loaded 1 MB page, as the search and lookup runs read it, beside
// reading the page's innerText raw (the same script and wait, no conversion).
// Wall time: most of the work is the renderer's, in another process.
//   PageText: QtPageLoader::PageText(), UTF-8 with CR LF line ends.
//   Baseline_RawInnerText: the browser's innerText as a QString.
//   Baseline_RawInnerTextThenConversion: the same, then the conversion alone.

#include "../benchsupport.h"
#include "pageloader/lineends.h"
#include "pageloader/qtpageloader.h"
#include "platform/eventpump.h"
#include "platform/ticksource.h"

#include "qtbenchmain.h"

#include <QEventLoop>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineScript>

#include <httplib.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <thread>

namespace {

struct LoadedPage {
    httplib::Server server;
    std::thread serving;
    ostrevo::SteadyTickSource ticks;
    ostrevo::EventPump pump{ticks};
    ostrevo::QtPageLoader loader;
};

std::unique_ptr<LoadedPage> loaded;

void loadPage()
{
    loaded = std::make_unique<LoadedPage>();
    const std::string page = ostrevo::bench::whoisLikePage(1000 * 1000, " r\xC3\xA9sultats");
    loaded->server.Get("/1mb", [page](const httplib::Request&, httplib::Response& response) {
        response.set_content(page, "text/html; charset=utf-8");
    });
    const int port = loaded->server.bind_to_any_port("127.0.0.1");
    loaded->serving = std::thread([] { loaded->server.listen_after_bind(); });
    loaded->loader.SetVisible(false);
    loaded->loader.Navigate("http://127.0.0.1:" + std::to_string(port) + "/1mb");
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    loaded->pump.waitUntil(
        [giveUp] { return !loaded->loader.Busy() || std::chrono::steady_clock::now() > giveUp; }, 10);
    if (loaded->loader.Busy() || loaded->loader.PageText().empty()) {
        std::fprintf(stderr, "the 1 MB page did not load\n");
    }
}

void unloadPage()
{
    loaded->server.stop();
    loaded->serving.join();
    loaded.reset();
}

// The runs read a page's text once, after it has loaded, never back to back:
// between two reads the renderer is given time to finish what it does when
// idle, so that one read does not pay for the previous one's garbage.
void letTheRendererIdle(benchmark::State& state)
{
    state.PauseTiming();
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(30);
    loaded->pump.waitUntil([until] { return std::chrono::steady_clock::now() > until; }, 5);
    state.ResumeTiming();
}

void BM_PageText(benchmark::State& state)
{
    std::size_t bytes = 0;
    for (auto _ : state) {
        letTheRendererIdle(state);
        const std::string text = loaded->loader.PageText();
        bytes = text.size();
        benchmark::DoNotOptimize(text.data());
    }
    state.counters["text_bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_PageText)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(ostrevo::bench::sized(2.0, 0.01));

QString rawInnerText()
{
    QString text;
    bool arrived = false;
    QEventLoop wait;
    loaded->loader.page()->runJavaScript(QStringLiteral("document.body ? document.body.innerText : ''"),
                                         QWebEngineScript::ApplicationWorld, [&](const QVariant& result) {
                                             text = result.toString();
                                             arrived = true;
                                             wait.quit();
                                         });
    if (!arrived) {
        wait.exec();
    }
    return text;
}

void BM_Baseline_RawInnerText(benchmark::State& state)
{
    for (auto _ : state) {
        letTheRendererIdle(state);
        const QString text = rawInnerText();
        benchmark::DoNotOptimize(text.constData());
    }
}
BENCHMARK(BM_Baseline_RawInnerText)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(ostrevo::bench::sized(2.0, 0.01));

// The raw read followed by the conversion alone: what PageText() adds beyond
// the conversion is the difference to BM_PageText.
void BM_Baseline_RawInnerTextThenConversion(benchmark::State& state)
{
    for (auto _ : state) {
        letTheRendererIdle(state);
        const QString text = rawInnerText();
        const std::string utf8 = ostrevo::utf8WithCrLfLineEnds(std::u16string_view(
            reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())));
        benchmark::DoNotOptimize(utf8.data());
    }
}
BENCHMARK(BM_Baseline_RawInnerTextThenConversion)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(ostrevo::bench::sized(2.0, 0.01));

} // namespace

int main(int argc, char** argv)
{
    if (::geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX")) {
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    }
    ostrevo::prepareBrowserEngine();
    return ostrevo::bench::runBenchmarksInApplication(argc, argv, &loadPage, &unloadPage);
}
