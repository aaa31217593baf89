// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
//
// `ostrevo lookup` over many hosts, the program itself started as a user
// would, against loopback RDAP servers: one registry and four registrars,
// each answering after 50 ms, asked at 50 requests a second per server. Every
// host is asked at the registry, so the ideal is hosts / 50 seconds. Reports
// the time against that ideal, the program's resident memory once about a
// thousand hosts are done, and its peak.
//   lookupcommand_bench --benchmark_filter=/500/     seconds (the smoke size)
//   lookupcommand_bench --benchmark_filter=/100000   about 35 minutes

#include "../benchsupport.h"
#include "rdaptestservers.h"
#include "tempfolder.h"

#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <thread>

extern char** environ;

namespace ostrevo {
namespace {

constexpr int Registrars = 4;
constexpr int DelayMs = 50;
constexpr double RequestsPerSecond = 50;

// The resident memory of a running process, in bytes; 0 once it is gone.
double residentBytes(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::stod(line.substr(6)) * 1024;
        }
    }
    return 0;
}

void LookupCommand(benchmark::State& state)
{
    const int hosts = static_cast<int>(state.range(0));
    const double ideal = hosts / RequestsPerSecond;
    test::RdapTestServers servers(Registrars, DelayMs);
    const test::TempFolder folder;
    test::writeFile(folder / "rdap-dns.json", servers.bootstrap());
    std::filesystem::create_directories(folder / "config/Ostrevo");
    test::writeFile(folder / "config/Ostrevo/Ostrevo.conf", "[lookup]\nsource=rdap\nrdapRequestsPerSecond=" +
                                                                std::to_string(RequestsPerSecond) + "\n");
    std::string list;
    for (int i = 0; i < hosts; ++i) {
        list += "mail-" + std::to_string(i) + (i % 3 == 0 ? ".org\n" : ".com\n");
    }
    test::writeFile(folder / "hosts.txt", list);

    const std::string config = "XDG_CONFIG_HOME=" + (folder / "config").string();
    const std::string data = "XDG_DATA_HOME=" + (folder / "data").string();
    const std::string input = (folder / "hosts.txt").string();
    const std::string output = (folder / "rows.csv").string();
    double earlyRss = 0;
    double peakRss = 0;
    for (auto _ : state) {
        std::vector<std::string> environment{config, data};
        for (char** variable = environ; *variable != nullptr; ++variable) {
            const std::string text = *variable;
            if (text.rfind("XDG_CONFIG_HOME=", 0) != 0 && text.rfind("XDG_DATA_HOME=", 0) != 0) {
                environment.push_back(text);
            }
        }
        std::vector<char*> envp;
        for (std::string& text : environment) {
            envp.push_back(text.data());
        }
        envp.push_back(nullptr);
        std::string program = OSTREVO_PROGRAM;
        std::string command = "lookup";
        std::string quiet = "-q";
        std::string outputOption = "-o";
        std::string outputName = output;
        std::string inputName = input;
        char* argv[] = {program.data(),    command.data(),   quiet.data(), outputOption.data(),
                        outputName.data(), inputName.data(), nullptr};
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addchdir_np(&actions, folder.path().c_str());
        const auto started = std::chrono::steady_clock::now();
        pid_t pid = 0;
        if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, envp.data()) != 0) {
            state.SkipWithError("cannot start the program");
            break;
        }
        posix_spawn_file_actions_destroy(&actions);
        // About a thousand hosts done, at the ideal pace (or the end of a smaller run).
        const double earlyAt = std::min(1000.0, hosts * 0.9) / RequestsPerSecond;
        int status = 0;
        rusage usage{};
        while (wait4(pid, &status, WNOHANG, &usage) == 0) {
            const double elapsed =
                std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
            if (earlyRss == 0 && elapsed >= earlyAt) {
                earlyRss = residentBytes(pid);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        state.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count());
        peakRss = static_cast<double>(usage.ru_maxrss) * 1024;
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("the lookup did not end well");
        }
    }
    state.counters["ideal_s"] = ideal;
    state.counters["rss_at_1000_hosts"] =
        benchmark::Counter(earlyRss, benchmark::Counter::kDefaults, benchmark::Counter::OneK::kIs1024);
    state.counters["peak_rss"] =
        benchmark::Counter(peakRss, benchmark::Counter::kDefaults, benchmark::Counter::OneK::kIs1024);
}
// A smoke run looks up a hundred hosts only.
BENCHMARK(LookupCommand)
    ->Apply([](benchmark::internal::Benchmark* sizes) {
        sizes->Arg(bench::sized(500, 100));
        if (!bench::smokeRun()) {
            sizes->Arg(100000);
        }
    })
    ->Unit(benchmark::kSecond)
    ->UseManualTime()
    ->Iterations(1);

} // namespace
} // namespace ostrevo

BENCHMARK_MAIN();
