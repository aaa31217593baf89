// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
//
// The links search window's run does its work synchronously between two
// message passes, so a turn must stay short for the window to keep up.
// Offscreen platform, real time, keys as the program makes them (ICU):
//   TurnOnResultPage: one engine turn that reads a result page of 1,000
//     lines (about 60 KB, 100 links to new hosts), appends the hosts to the
//     URL list shown in its list view, and the message pass that follows
//     (target: under 50 ms).
//   FillListTo32000: 32,000 hosts (the unlimited run's cap) arriving 100 per
//     turn into the shown list, with a message pass after every turn
//     (target: under 2 s in all, so well under the time the pages take).

#include "pageloader/pageloader.h"
#include "platform/collation.h"
#include "rechercheweb/searchrun.h"
#include "rechercheweb/urllistmodel.h"

#include "qtbenchmain.h"

#include <QApplication>
#include <QListView>

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

using ostrevo::SearchRun;
using ostrevo::UrlList;
using ostrevo::UrlListModel;

// Always idle; serves whatever page it was given.
class ReadyLoader final : public ostrevo::PageLoader {
public:
    explicit ReadyLoader(const std::string* page) : m_page(page) {}
    void SetVisible(bool) override {}
    void SetSilent(bool) override {}
    bool Busy() const override { return false; }
    bool TimedOut() const override { return false; }
    void Navigate(const std::string&) override {}
    std::string PageText() override { return *m_page; }

private:
    const std::string* m_page;
};

// 1,000 lines: every tenth holds a link to a host of its own.
std::string resultPage(int pageNumber)
{
    std::string page;
    for (int line = 0; line < 1000; ++line) {
        if (line % 10 == 0) {
            page += "Result " + std::to_string(line) + " - http://www.site-" + std::to_string(pageNumber) +
                    "-" + std::to_string(line) + ".com/some/path?x=1 - a short description\r\n";
        } else {
            page += "Some text of the result page, line " + std::to_string(line) + ", nothing to find\r\n";
        }
    }
    return page;
}

struct ShownList {
    UrlList urls{ostrevo::TextKeyFunction(&ostrevo::caseFoldKey)};
    UrlListModel model{urls};
    QListView view;

    ShownList()
    {
        view.setUniformItemSizes(true);
        view.setModel(&model);
        view.resize(250, 200);
        view.show();
        QApplication::processEvents();
    }
};

std::unique_ptr<SearchRun> runOn(const std::string* page)
{
    const ostrevo::EngineEntry engine{"e", "http://e.test/?q=", "&n=", "0", "10", ""};
    auto run = std::make_unique<SearchRun>(std::vector{engine},
                                           [page] { return std::make_unique<ReadyLoader>(page); });
    return run;
}

void TurnOnResultPage(benchmark::State& state)
{
    std::string page;
    ShownList list;
    auto run = runOn(&page);
    int pageNumber = 0;
    UrlList& urls = list.urls;
    const ostrevo::TextKeyFunction foldKey(&ostrevo::caseFoldKey);
    run->takeTurn(0, "keywords", urls, foldKey); // the first page is only loaded
    for (auto _ : state) {
        state.PauseTiming();
        page = resultPage(++pageNumber);
        if (urls.count() > 10'000) {
            urls.clear();
            QApplication::processEvents();
        }
        state.ResumeTiming();
        run->takeTurn(0, "keywords", urls, foldKey);
        QApplication::processEvents();
    }
    state.SetLabel("1,000 lines, 100 new hosts");
}
BENCHMARK(TurnOnResultPage)->Unit(benchmark::kMillisecond)->UseRealTime();

void FillListTo32000(benchmark::State& state)
{
    std::vector<std::string> pages;
    for (int p = 0; p < 320; ++p) {
        std::string page;
        for (int i = 0; i < 100; ++i) {
            page += "http://www.host-" + std::to_string(p) + "-" + std::to_string(i) + ".com/\r\n";
        }
        pages.push_back(std::move(page));
    }
    for (auto _ : state) {
        state.PauseTiming();
        auto list = std::make_unique<ShownList>();
        std::string page;
        auto run = runOn(&page);
        const ostrevo::TextKeyFunction foldKey(&ostrevo::caseFoldKey);
        run->takeTurn(0, "k", list->urls, foldKey);
        state.ResumeTiming();
        for (const std::string& next : pages) {
            page = next;
            run->takeTurn(0, "k", list->urls, foldKey);
            QApplication::processEvents();
        }
        state.PauseTiming();
        if (list->urls.count() != 32000) {
            state.SkipWithError("the list did not reach 32,000 entries");
        }
        list.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(FillListTo32000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

} // namespace

int main(int argc, char** argv)
{
    return ostrevo::bench::runBenchmarksInApplication(argc, argv);
}
