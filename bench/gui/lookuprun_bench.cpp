// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
//
// The main window's lookup run over 200 hosts whose servers answer after
// 50 ms: with RDAP at 20 requests a second per server, one registry and ten
// registrars (the ideal is 200 / 20 = 10 s), and with the registrars' whois
// pages, a page loader that completes 50 ms after each navigation.
// lookuprun_bench --benchmark_filter=Rdap runs the first alone; the whois
// page run takes minutes.

#include "expired/tform1.h"
#include "platform/eventpump.h"
#include "platform/ticksource.h"

#include "fakepageloader.h"
#include "qtbenchmain.h"
#include "rdaptestservers.h"
#include "scriptedprompts.h"
#include "tempfolder.h"

#include <QSettings>
#include <QStandardPaths>
#include <QTimer>

#include <sys/resource.h>

namespace ostrevo {
namespace {

constexpr int Hosts = 200;
constexpr int DelayMs = 50;

std::vector<std::string> hosts()
{
    std::vector<std::string> names;
    for (int i = 0; i < Hosts; ++i) {
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

void RdapRun(benchmark::State& state)
{
    QStandardPaths::setTestModeEnabled(true);
    QSettings().setValue(QStringLiteral("lookup/source"), QStringLiteral("rdap"));
    QSettings().setValue(QStringLiteral("lookup/rdapRequestsPerSecond"), 20);
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
        form.Button1Click(hosts());
        cpu += processCpuSeconds() - before;
        if (form.table().RowCount() != Hosts) {
            state.SkipWithError("not every host got its row");
        }
    }
    state.counters["ideal_s"] = static_cast<double>(Hosts) / 20;
    state.counters["process_cpu_s"] = benchmark::Counter(cpu, benchmark::Counter::kAvgIterations);
}
BENCHMARK(RdapRun)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void WhoisPageRun(benchmark::State& state)
{
    QStandardPaths::setTestModeEnabled(true);
    QSettings().setValue(QStringLiteral("lookup/source"), QStringLiteral("whois"));
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
        form.Button1Click(hosts());
        if (form.table().RowCount() != Hosts) {
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
