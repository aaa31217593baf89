// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
//
// The result list view over a 1,000,000-row table (random hosts, e-mail
// addresses and expiry dates, as the lookup run makes them), on the offscreen
// platform, real time:
//   PaintFullViewport: one repaint of an 800 x 600 viewport scrolled to the
//     middle of the table, expiry colouring on (target: under 16 ms).
//   HeaderClickSort/<column>: a click on a header item, the view's relayout
//     that follows and the next repaint (target: under 1.5 s). Each click
//     flips the direction of the one before.
//   CaptionAfterSort: a new row from the lookup run after a header sort, which
//     puts the rows back in caption order, relayout and repaint included.
//   Relayout: the view's own share of any row change (Qt re-lays out all rows).
//   LookupRowAdded: a row added and filled as the lookup run does, while the
//     table is in caption order, relayout and repaint included.
//   TypeALetter: a typed letter no shown caption starts with (a full scan).

#include "expired/expirycolouringhook.h"
#include "resultlist/resulttable.h"
#include "resultlist/tresultlistview.h"

#include "../benchsupport.h"
#include "qtbenchmain.h"

#include <QApplication>
#include <QHeaderView>
#include <QImage>
#include <QTest>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <random>

namespace {

using ostrevo::ResultTable;
using ostrevo::TResultListView;

const int kRows = ostrevo::bench::sized(1'000'000, 2000);

std::string randomHost(std::mt19937& random)
{
    static const char* const syllables[] = {"ka",  "lo",  "mi",  "ne",  "ro",  "ta",  "vu",
                                            "shi", "pra", "den", "gol", "bex", "tri", "zon",
                                            "mar", "qu",  "el",  "os",  "an",  "ix"};
    std::string host;
    const int count = 2 + static_cast<int>(random() % 3);
    for (int i = 0; i < count; ++i) {
        host += syllables[random() % std::size(syllables)];
    }
    host += std::to_string(random() % 100000);
    host += random() % 3 == 0 ? ".net" : ".com";
    return host;
}

std::string randomDate(std::mt19937& random)
{
    char text[16];
    std::snprintf(text, sizeof text, "%04u/%02u/%02u", static_cast<unsigned>(2024 + random() % 10),
                  static_cast<unsigned>(1 + random() % 12), static_cast<unsigned>(1 + random() % 28));
    return text;
}

// One table and view for all benchmarks: building a million rows takes a while.
struct Fixture {
    ResultTable table;
    std::unique_ptr<TResultListView> view;
    QImage canvas;

    Fixture()
    {
        for (const auto& [caption, width] : {std::pair{"Web sites", 250}, {"Email", 200}, {"Expires", 100}}) {
            ostrevo::ResultColumn& column = table.AddColumn();
            column.Caption = caption;
            column.width = width;
        }
        table.SetCheckboxes(true);
        table.SetSortType(ostrevo::SortType::stBoth);
        table.SetSaveHeader(true);
        view = std::make_unique<TResultListView>(table);
        view->OnDrawItemProp = ostrevo::expiryColouring();

        std::mt19937 random(42);
        table.BeginBulkUpdate();
        for (int i = 0; i < kRows; ++i) {
            const std::string host = randomHost(random);
            ostrevo::ResultRow& row = table.AddRow();
            row.SetCaption("http://www." + host);
            row.AppendSubItem("mailto:admin@" + host);
            row.AppendSubItem(randomDate(random));
            row.SetChecked(random() % 4 == 0);
        }
        table.EndBulkUpdate();

        view->resize(800, 600);
        view->show();
        if (!QTest::qWaitForWindowExposed(view.get())) {
            std::fprintf(stderr, "the view was never shown\n");
        }
        QCoreApplication::processEvents();
        // Exactly 800 x 600 of rows, whatever the frame and scroll bar take.
        view->resize(view->size() + (QSize(800, 600) - view->viewport()->size()));
        QCoreApplication::processEvents();
        view->scrollTo(view->model()->index(kRows / 2, 0), QAbstractItemView::PositionAtTop);
        view->setCurrentIndex(view->model()->index(kRows / 2 + 3, 0));
        canvas = QImage(view->viewport()->size(), QImage::Format_RGB32);
        repaint();
    }

    void repaint()
    {
        QCoreApplication::processEvents();
        view->viewport()->render(&canvas);
    }

    void clickHeader(int column)
    {
        QHeaderView* header = view->header();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(column) + 10, header->height() / 2));
    }
};

// Made on first use, gone before the application object is.
std::unique_ptr<Fixture> g_fixture;

Fixture& fixture()
{
    if (!g_fixture) {
        g_fixture = std::make_unique<Fixture>();
    }
    return *g_fixture;
}

void PaintFullViewport(benchmark::State& state)
{
    Fixture& f = fixture();
    for (auto _ : state) {
        f.view->viewport()->render(&f.canvas);
        benchmark::DoNotOptimize(f.canvas.constBits());
    }
    state.SetLabel(std::to_string(f.canvas.width()) + "x" + std::to_string(f.canvas.height()) + ", " +
                   std::to_string(f.table.RowCount()) + " rows");
}
BENCHMARK(PaintFullViewport)->Unit(benchmark::kMillisecond)->UseRealTime();

void HeaderClickSort(benchmark::State& state)
{
    Fixture& f = fixture();
    const int column = static_cast<int>(state.range(0));
    for (auto _ : state) {
        f.clickHeader(column);
        f.repaint();
    }
    state.SetLabel(std::to_string(f.table.RowCount()) + " rows");
}
BENCHMARK(HeaderClickSort)
    ->Arg(0)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(ostrevo::bench::iterations(4));

void CaptionAfterSort(benchmark::State& state)
{
    Fixture& f = fixture();
    std::mt19937 random(7);
    for (auto _ : state) {
        state.PauseTiming();
        f.clickHeader(2);
        f.repaint();
        state.ResumeTiming();
        ostrevo::ResultRow& row = f.table.AddRow();
        row.SetCaption("http://www." + randomHost(random));
        f.repaint();
    }
    state.SetLabel(std::to_string(f.table.RowCount()) + " rows");
}
BENCHMARK(CaptionAfterSort)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(ostrevo::bench::iterations(3));

void Relayout(benchmark::State& state)
{
    Fixture& f = fixture();
    for (auto _ : state) {
        f.view->doItemsLayout();
    }
    state.SetLabel(std::to_string(f.table.RowCount()) + " rows");
}
BENCHMARK(Relayout)->Unit(benchmark::kMillisecond)->UseRealTime();

void LookupRowAdded(benchmark::State& state)
{
    Fixture& f = fixture();
    std::mt19937 random(11);
    // Back to caption order first (a header sort may have left another one).
    f.table.AddRow().SetCaption("http://www.a.com");
    f.repaint();
    for (auto _ : state) {
        const std::string host = randomHost(random);
        ostrevo::ResultRow& row = f.table.AddRow();
        row.SetCaption("http://" + host);
        row.AppendSubItem("mailto:admin@" + host);
        row.AppendSubItem(randomDate(random));
        f.repaint();
    }
    state.SetLabel(std::to_string(f.table.RowCount()) + " rows");
}
BENCHMARK(LookupRowAdded)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(ostrevo::bench::iterations(10));

void TypeALetter(benchmark::State& state)
{
    Fixture& f = fixture();
    for (auto _ : state) {
        // No caption starts with it: the search goes through every row.
        f.view->keyboardSearch(QStringLiteral("q"));
    }
    state.SetLabel(std::to_string(f.table.RowCount()) + " rows, no match");
}
BENCHMARK(TypeALetter)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    return ostrevo::bench::runBenchmarksInApplication(argc, argv, {}, [] { g_fixture.reset(); });
}
