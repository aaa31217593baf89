// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
// Eleven real page loaders paging a loopback search engine for minutes: the
// memory of the whole process tree stays flat, and a second run does not
// leave the first run's browser processes behind.
//
// OSTREVO_SOAK_SECONDS sets how long the first run pages (300 by default).
#include "loopbackhttpserver.h"
#include "processtree.h"
#include "searchwindows.h"

#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <iostream>

namespace ostrevo {
namespace {

using test::htmlPage;
using test::LoopbackHttpServer;
using test::ScriptedPrompts;
using test::TreeMemory;

constexpr int Engines = 11;
// Most hosts come from a fixed pool, so the URL list grows slowly and what
// grows is mostly the loaders' memory; one host per page is new, or the
// engines would count as run out (in each run: the second run keeps the
// first run's list).
constexpr int HostPool = 300;

int soakSeconds()
{
    const char* text = std::getenv("OSTREVO_SOAK_SECONDS");
    return text != nullptr && std::atoi(text) > 0 ? std::atoi(text) : 300;
}

// A result page of some 40 kB, as engines send them: ten results among
// markup and script.
std::string resultPage(int run, int engine, int page)
{
    std::string body = "<script>var state = {page: " + std::to_string(page) + "};</script>";
    for (int i = 0; i < 10; ++i) {
        const int host = (engine * 37 + page * 10 + i) % HostPool;
        body += "<div class=\"result\"><h3>Result " + std::to_string(page * 10 + i) + "</h3><p>http://soak-" +
                std::to_string(host) + ".com/page - a page about the keywords</p><p>";
        for (int filler = 0; filler < 35; ++filler) {
            body += "Lorem ipsum dolor sit amet, consectetur adipiscing elit, sed do eiusmod. ";
        }
        body += "</p></div>";
    }
    body += "<p>http://soak-" + std::to_string(run) + "-" + std::to_string(engine) + "-" +
            std::to_string(page) + ".net/</p>";
    return htmlPage(body);
}

long median(std::vector<long> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

struct Sample {
    double second = 0;
    TreeMemory memory;
    int pages = 0;
};

TEST(ElevenLoadersSoak, TreeMemoryStaysFlatAndASecondRunLeavesNoOldRenderer)
{
    const int seconds = soakSeconds();
    std::atomic<int> pagesServed{0};
    std::atomic<int> run{1};
    LoopbackHttpServer server;
    server.get(R"(/e(\d+))", [&](const httplib::Request& request, httplib::Response& response) {
        ++pagesServed;
        response.set_content(
            resultPage(run.load(), std::stoi(request.matches[1]), std::stoi(request.get_param_value("p"))),
            "text/html; charset=utf-8");
    });
    server.start();

    std::string catalogue;
    for (int engine = 0; engine < Engines; ++engine) {
        catalogue += "Engine" + std::to_string(engine) +
                     "\r\nhttp://127.0.0.1:" + std::to_string(server.port()) + "/e" + std::to_string(engine) +
                     "?q=\r\n&p=\r\n0\r\n1\r\n\r\n";
    }
    test::UnlimitedSearchWindows windows(catalogue, QStringLiteral("soak"));
    Tliste& liste = windows.liste;
    ScriptedPrompts& prompts = windows.prompts;
    ASSERT_EQ(liste.deps->count(), Engines);
    windows.tickAllEngines();

    const auto started = std::chrono::steady_clock::now();
    const auto elapsed = [&] {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    };
    std::vector<Sample> samples;
    QTimer sampler;
    sampler.setInterval(std::max(1000, seconds * 1000 / 60)); // some sixty samples a run
    QObject::connect(&sampler, &QTimer::timeout, [&] {
        samples.push_back({elapsed(), test::treeMemory(), pagesServed.load()});
    });
    sampler.start();

    // First run.
    std::set<pid_t> firstRunRenderers;
    prompts.answerQuestion(true); // "Stop extracting ?"
    QTimer::singleShot(seconds * 1000, &liste, [&] {
        firstRunRenderers = test::rendererProcesses();
        liste.Bstop->click();
    });
    liste.Bplay->click();
    const int firstRunPages = pagesServed.load();
    const std::size_t firstRunSamples = samples.size();

    // Second run: the first run's loaders go when it starts.
    const int secondRunSeconds = std::max(20, seconds / 10);
    std::set<pid_t> secondRunRenderers;
    run = 2;
    prompts.answerQuestion(false); // "Delete previous list of urls ?"
    prompts.answerQuestion(true);  // "Stop extracting ?"
    QTimer::singleShot(secondRunSeconds * 1000, &liste, [&] {
        secondRunRenderers = test::rendererProcesses();
        liste.Bstop->click();
    });
    liste.Bplay->click();
    sampler.stop();

    // Both runs paged all along (no engine ran out or stalled; the pace is
    // left loose, as sanitizers and a busy machine slow the pages down) and
    // found every host of the pool.
    EXPECT_GT(firstRunPages, Engines * seconds / 10);
    EXPECT_GT(pagesServed.load() - firstRunPages, Engines * secondRunSeconds / 10);
    EXPECT_GT(liste.urls().count(), HostPool);

    // Flat: the median of the last fifth of the first run is within 15 % (or
    // 40 MB) of the median of the fifth after the warm-up fifth.
    const std::size_t fifth = firstRunSamples / 5;
    std::vector<long> early;
    std::vector<long> late;
    for (std::size_t i = fifth; i < 2 * fifth; ++i) {
        early.push_back(samples[i].memory.pssKb);
    }
    for (std::size_t i = firstRunSamples - fifth; i < firstRunSamples; ++i) {
        late.push_back(samples[i].memory.pssKb);
    }
    const long earlyKb = median(early);
    const long lateKb = median(late);
    std::vector<pid_t> leftBehind;
    std::set_intersection(firstRunRenderers.begin(), firstRunRenderers.end(), secondRunRenderers.begin(),
                          secondRunRenderers.end(), std::back_inserter(leftBehind));

    std::cout << "[ figures  ] " << seconds << " s, " << firstRunPages << " pages ("
              << firstRunPages / std::max(1, seconds) << "/s); process tree PSS " << earlyKb / 1024
              << " MB early, " << lateKb / 1024 << " MB late; renderers " << firstRunRenderers.size()
              << " then " << secondRunRenderers.size() << ", " << leftBehind.size() << " left behind\n";
    for (const Sample& sample : samples) {
        std::cout << "[ sample   ] " << static_cast<int>(sample.second) << " s  pages " << sample.pages
                  << "  PSS " << sample.memory.pssKb / 1024 << " MB  RSS " << sample.memory.rssKb / 1024
                  << " MB  processes " << sample.memory.processes << "\n";
    }

    ASSERT_GE(firstRunSamples, 10U);
#ifndef __SANITIZE_ADDRESS__
    // AddressSanitizer holds freed memory back in quarantine: no figure there.
    EXPECT_LE(lateKb - earlyKb, std::max(earlyKb * 15 / 100, 40L * 1024))
        << "process tree PSS went from " << earlyKb << " kB to " << lateKb << " kB";
#endif
    // The first run's renderers are gone once the second run is under way.
    EXPECT_EQ(firstRunRenderers.size(), static_cast<std::size_t>(Engines));
    EXPECT_TRUE(leftBehind.empty()) << leftBehind.size() << " renderers of the first run are still there";
    EXPECT_LE(secondRunRenderers.size(), firstRunRenderers.size());
    EXPECT_TRUE(prompts.errors().empty());
}

} // namespace
} // namespace ostrevo
