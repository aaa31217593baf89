// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
//
// Where a search's time goes: the links search run over six loopback engines
// of 40 result pages each (then three pages of known hosts each, after which
// an engine is done), beside six raw browser pages loading the same pages one
// after another, with and without reading each page's text and links. Wall
// time; run as root with QTWEBENGINE_DISABLE_SANDBOX=1 (set when missing).
//   searchrun_bench --benchmark_filter=Search

#include "pageloader/qtpageloader.h"

#include "../benchsupport.h"
#include "loopbackhttpserver.h"
#include "qtbenchmain.h"
#include "searchwindows.h"

#include <QEventLoop>
#include <QWebEnginePage>

#include <unistd.h>

#include <atomic>
#include <memory>
#include <string>
#include <vector>

namespace ostrevo {
namespace {

constexpr int Engines = 6;
const int Pages = bench::sized(40, 2);
// The pages after the last new host that tell the run an engine is done.
constexpr int PagesWithoutNewHosts = 3;

// A result page of some 40 kB: ten results among markup, as links and as
// text or (`textOnly`) as text alone; new hosts up to the last page, then
// page 0's again.
std::string resultPage(int engine, int page, bool textOnly)
{
    const int hostsOf = page < Pages ? page : 0;
    std::string body;
    for (int i = 0; i < 10; ++i) {
        const std::string host =
            "e" + std::to_string(engine) + "p" + std::to_string(hostsOf) + "r" + std::to_string(i) + ".com";
        const std::string title = "Result " + std::to_string(i);
        body += "<div class=\"result\"><h3>" +
                (textOnly ? title : "<a href=\"http://" + host + "/\">" + title + "</a>") +
                "</h3><p>http://" + host + "/page - a page about the keywords</p><p>";
        for (int filler = 0; filler < 35; ++filler) {
            body += "Lorem ipsum dolor sit amet, consectetur adipiscing elit, sed do eiusmod. ";
        }
        body += "</p></div>";
    }
    return test::htmlPage(body);
}

struct Engines6 {
    explicit Engines6(bool textOnly)
    {
        server.get(R"(/e(\d+))",
                   [this, textOnly](const httplib::Request& request, httplib::Response& response) {
                       ++served;
                       response.set_content(resultPage(std::stoi(request.matches[1]),
                                                       std::stoi(request.get_param_value("p")), textOnly),
                                            "text/html; charset=utf-8");
                   });
        server.start();
    }
    std::string pageUrl(int engine, int page) const
    {
        return server.url("/e" + std::to_string(engine) + "?q=bench&p=" + std::to_string(page));
    }

    test::LoopbackHttpServer server;
    std::atomic<int> served{0};
};

// Arg 1: results as text alone, so that every page's text is read for them.
void SearchSixEngines(benchmark::State& state)
{
    Engines6 engines(state.range(0) != 0);
    std::string catalogue;
    for (int engine = 0; engine < Engines; ++engine) {
        catalogue += "Engine" + std::to_string(engine) + "\r\n" +
                     engines.server.url("/e" + std::to_string(engine)) + "?q=\r\n&p=\r\n0\r\n1\r\n\r\n";
    }
    test::UnlimitedSearchWindows windows(catalogue, QStringLiteral("bench"));
    windows.tickAllEngines();
    for (auto _ : state) {
        windows.liste.Bplay->click(); // returns once every engine is done
    }
    const int expected = Engines * (Pages + PagesWithoutNewHosts);
    if (windows.liste.urls().count() != Engines * Pages * 10 || engines.served.load() < expected) {
        state.SkipWithError("the search did not page every engine to its end");
    }
    state.counters["pages"] = engines.served.load();
    state.counters["hosts"] = windows.liste.urls().count();
}
BENCHMARK(SearchSixEngines)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

// Six pages, each loading its engine's pages one after another as fast as
// they finish; with `readText`, each page's text and link targets are read
// (one script each, as the run reads them) before the next load.
void loadRaw(benchmark::State& state, bool readText)
{
    Engines6 engines(false);
    const int perEngine = Pages + PagesWithoutNewHosts;
    for (auto _ : state) {
        std::vector<std::unique_ptr<QWebEnginePage>> pages;
        std::vector<int> next(Engines, 0);
        int finished = 0;
        QEventLoop loop;
        for (int engine = 0; engine < Engines; ++engine) {
            auto& page = pages.emplace_back(std::make_unique<QWebEnginePage>());
            QWebEnginePage* raw = page.get();
            const auto loadNext = [&, engine, raw] {
                if (++next[engine] < perEngine) {
                    raw->load(QUrl(QString::fromStdString(engines.pageUrl(engine, next[engine]))));
                } else if (++finished == Engines) {
                    loop.quit();
                }
            };
            QObject::connect(raw, &QWebEnginePage::loadFinished, raw, [raw, readText, loadNext](bool) {
                if (!readText) {
                    loadNext();
                    return;
                }
                raw->runJavaScript(
                    QStringLiteral("document.body ? document.body.innerText : ''"), 0,
                    [raw, loadNext](const QVariant&) {
                        raw->runJavaScript(
                            QStringLiteral("Array.from(document.links, a => a.href).join('\\n')"), 0,
                            [loadNext](const QVariant&) { loadNext(); });
                    });
            });
            raw->load(QUrl(QString::fromStdString(engines.pageUrl(engine, 0))));
        }
        loop.exec();
    }
    state.counters["pages"] = engines.served.load();
}

void RawPagesSixEngines(benchmark::State& state)
{
    loadRaw(state, false);
}
BENCHMARK(RawPagesSixEngines)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

void RawPagesReadingTextSixEngines(benchmark::State& state)
{
    loadRaw(state, true);
}
BENCHMARK(RawPagesReadingTextSixEngines)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

} // namespace
} // namespace ostrevo

int main(int argc, char** argv)
{
    if (::geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX")) {
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    }
    ostrevo::prepareBrowserEngine();
    return ostrevo::bench::runBenchmarksInApplication(argc, argv);
}
