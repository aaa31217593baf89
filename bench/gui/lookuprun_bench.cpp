// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
//
// The main window's lookup run over 200 hosts whose servers answer after
// 50 ms: with RDAP at 20 requests a second per server, one registry and ten
// registrars (the ideal is 200 / 20 = 10 s), and with the registrars' whois
// pages, a page loader that completes 50 ms after each navigation.
// lookuprun_bench --benchmark_filter=Rdap runs the first alone; the whois
// page run takes minutes. A smoke run asks 20 and 2 hosts.

#include "expired/tform1.h"
#include "lookup/lookupchoices.h"
#include "platform/eventpump.h"
#include "platform/ticksource.h"

#include "../benchsupport.h"
#include "fakepageloader.h"
#include "qtbenchmain.h"
#include "rdaptestservers.h"
#include "scriptedprompts.h"
#include "tempfolder.h"

#include <QTimer>

#include <sys/resource.h>

namespace ostrevo {
namespace {

constexpr int DelayMs = 50;
constexpr int RdapPerSecond = 20;

std::vector<std::string> hosts(int count)
{
    std::vector<std::string> names;
    for (int i = 0; i < count; ++i) {
        names.push_back("mail-" + std::to_string(i) + (i % 3 == 0 ? ".org" : ".com"));
    }
    return names;
}

double processCpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// The run reads its choices from the settings as the program does; a
// benchmark whose settings the program cannot read would measure the other
// lookup.
bool choose(benchmark::State& state, const LookupChoices& choices)
{
    saveLookupChoices(choices);
    const LookupChoices read = loadLookupChoices();
    if (read.rdap != choices.rdap || read.requestsPerSecond != choices.requestsPerSecond) {
        state.SkipWithError("the program does not read the settings back: is the application named?");
        return false;
    }
    return true;
}

void RdapRun(benchmark::State& state)
{
    const int count = bench::sized(200, 20);
    if (!choose(state, {true, false, RdapPerSecond})) {
        return;
    }
    test::RdapTestServers servers(10, DelayMs);
    test::TempFolder folder;
    test::ScriptedPrompts prompts;
    SteadyTickSource ticks;
    EventPump pump(ticks);
    TForm1 form(prompts, pump, std::make_unique<test::FakePageLoader>(), {});
    form.setRdapServersFile(folder.write("rdap.json", servers.bootstrap()));
    double cpu = 0;
    for (auto _ : state) {
        form.table().ClearRows();
        const double before = processCpuSeconds();
        form.Button1Click(hosts(count));
        cpu += processCpuSeconds() - before;
        if (form.table().RowCount() != count) {
            state.SkipWithError("not every host got its row");
        }
    }
    state.counters["ideal_s"] = static_cast<double>(count) / RdapPerSecond;
    state.counters["process_cpu_s"] = benchmark::Counter(cpu, benchmark::Counter::kAvgIterations);
}
BENCHMARK(RdapRun)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(bench::iterations(3));

void WhoisPageRun(benchmark::State& state)
{
    const int count = bench::sized(200, 2);
    if (!choose(state, {false, false, 1})) {
        return;
    }
    test::ScriptedPrompts prompts;
    SteadyTickSource ticks;
    EventPump pump(ticks);
    auto loader = std::make_unique<test::FakePageLoader>();
    test::FakePageLoader* www = loader.get();
    www->setNavigateHandler([www](const std::string& url) {
        const std::string host = url.substr(url.find_last_of("=") + 1);
        QTimer::singleShot(DelayMs, [www, host] {
            www->complete("Domain Name: " + host + "\r\nRegistrant Email: owner@" + host +
                          "\r\nRegistry Expiry Date: 2027-03-04T18:20:01Z\r\n");
        });
    });
    TForm1 form(prompts, pump, std::move(loader), {{"first.test", "/f?d="}, {"second.test", "/s?d="}});
    for (auto _ : state) {
        form.table().ClearRows();
        form.Button1Click(hosts(count));
        if (form.table().RowCount() != count) {
            state.SkipWithError("not every host got its row");
        }
    }
}
BENCHMARK(WhoisPageRun)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

} // namespace
} // namespace ostrevo

int main(int argc, char** argv)
{
    return ostrevo::bench::runBenchmarksInApplication(argc, argv);
}
