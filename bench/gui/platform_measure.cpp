// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
// Measures what the platform layer costs while the program works:
//  1. CPU used by a 10-second WaitMs with an idle window, before and after the
//     browser engine started (target: under 2% of one core);
//  2. PageText of a 1 MB page served from loopback (target: under 200 ms), and
//     load plus text of a 200 KB page for reference;
//  3. resident memory of the process and its browser helpers with one hidden
//     loader after a page load.
// Usage: platform_measure [wait seconds, default 10]
// Run on the offscreen platform or under Xvfb, as root with
// QTWEBENGINE_DISABLE_SANDBOX=1.

#include "../benchsupport.h"
#include "pageloader/qtpageloader.h"
#include "platform/eventpump.h"
#include "platform/ticksource.h"

#include <QApplication>
#include <QDir>
#include <QLabel>

#include <httplib.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double milliseconds(Clock::duration duration)
{
    return std::chrono::duration<double, std::milli>(duration).count();
}

// CPU time (user + system) of one process in milliseconds, from /proc.
double processCpuMs(int pid)
{
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    std::getline(stat, line);
    const auto close = line.rfind(')');
    if (close == std::string::npos) {
        return 0;
    }
    std::istringstream fields(line.substr(close + 2));
    std::string field;
    unsigned long long utime = 0;
    unsigned long long stime = 0;
    for (int i = 3; fields >> field; ++i) {
        if (i == 14) {
            utime = std::stoull(field);
        } else if (i == 15) {
            stime = std::stoull(field);
            break;
        }
    }
    return static_cast<double>(utime + stime) * 1000.0 / static_cast<double>(sysconf(_SC_CLK_TCK));
}

// The process and all its descendants.
std::vector<int> processTree(int root)
{
    std::map<int, std::vector<int>> children;
    const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& entry : entries) {
        bool numeric = false;
        const int pid = entry.toInt(&numeric);
        if (!numeric) {
            continue;
        }
        std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
        std::string line;
        std::getline(stat, line);
        const auto close = line.rfind(')');
        if (close == std::string::npos) {
            continue;
        }
        std::istringstream fields(line.substr(close + 2));
        std::string state;
        int parent = 0;
        fields >> state >> parent;
        children[parent].push_back(pid);
    }
    std::vector<int> tree{root};
    for (std::size_t i = 0; i < tree.size(); ++i) {
        for (int child : children[tree[i]]) {
            tree.push_back(child);
        }
    }
    return tree;
}

long rssKb(int pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::stol(line.substr(6));
        }
    }
    return 0;
}

// Proportional set size: shared pages counted once across the tree.
long pssKb(int pid)
{
    std::ifstream rollup("/proc/" + std::to_string(pid) + "/smaps_rollup");
    std::string line;
    while (std::getline(rollup, line)) {
        if (line.rfind("Pss:", 0) == 0) {
            return std::stol(line.substr(4));
        }
    }
    return 0;
}

double treeCpuMs()
{
    double total = 0;
    for (int pid : processTree(getpid())) {
        total += processCpuMs(pid);
    }
    return total;
}

double selfCpuMs()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000.0 +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000.0;
}

void measureIdleWait(ostrevo::EventPump& pump, int seconds, const char* when)
{
    const double selfBefore = selfCpuMs();
    const double treeBefore = treeCpuMs();
    const auto start = Clock::now();
    pump.WaitMs(seconds * 1000);
    const double wall = milliseconds(Clock::now() - start);
    const double self = selfCpuMs() - selfBefore;
    const double tree = treeCpuMs() - treeBefore;
    std::printf("WaitMs(%d000) %s: wall %.0f ms, CPU of the program %.1f ms (%.2f%% of one core), "
                "with browser helpers %.1f ms (%.2f%%)\n",
                seconds, when, wall, self, 100.0 * self / wall, tree, 100.0 * tree / wall);
}

// A wait for a page polled the way the lookup run does: WaitMs(1), then a
// message pass, until done.
void measureOneMsPolling(ostrevo::EventPump& pump, int seconds)
{
    const double selfBefore = selfCpuMs();
    const auto start = Clock::now();
    const auto end = start + std::chrono::seconds(seconds);
    long passes = 0;
    while (Clock::now() < end) {
        pump.WaitMs(1);
        pump.processMessages();
        ++passes;
    }
    const double wall = milliseconds(Clock::now() - start);
    const double self = selfCpuMs() - selfBefore;
    std::printf(
        "WaitMs(1) + message pass for %d s: %ld passes, CPU of the program %.1f ms (%.2f%% of one core)\n",
        seconds, passes, self, 100.0 * self / wall);
}

bool waitIdle(ostrevo::EventPump& pump, const ostrevo::PageLoader& loader)
{
    const auto giveUp = Clock::now() + std::chrono::seconds(60);
    pump.waitUntil([&] { return !loader.Busy() || Clock::now() > giveUp; }, 10);
    return !loader.Busy();
}

} // namespace

int main(int argc, char** argv)
{
    const int waitSeconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    ostrevo::prepareBrowserEngine();
    QApplication app(argc, argv);

    httplib::Server server;
    const std::string megabyte = ostrevo::bench::whoisLikePage(1000 * 1000);
    const std::string small = ostrevo::bench::whoisLikePage(200 * 1000);
    server.Get("/1mb", [&](const httplib::Request&, httplib::Response& response) {
        response.set_content(megabyte, "text/html; charset=utf-8");
    });
    server.Get("/200kb", [&](const httplib::Request&, httplib::Response& response) {
        response.set_content(small, "text/html; charset=utf-8");
    });
    // Compressing the answers (brotli at its slowest, about two seconds of CPU
    // per megabyte) would be measured instead of the loader.
    server.set_pre_routing_handler([](const httplib::Request& request, httplib::Response&) {
        const_cast<httplib::Request&>(request).headers.erase("Accept-Encoding");
        return httplib::Server::HandlerResponse::Unhandled;
    });
    const int port = server.bind_to_any_port("127.0.0.1");
    std::thread serving([&] { server.listen_after_bind(); });
    const std::string base = "http://127.0.0.1:" + std::to_string(port);

    QLabel window(QStringLiteral("idle"));
    window.resize(400, 300);
    window.show();
    ostrevo::SteadyTickSource ticks;
    ostrevo::EventPump pump(ticks);
    pump.WaitMs(200);

    measureIdleWait(pump, waitSeconds, "idle window, no browser");
    measureOneMsPolling(pump, waitSeconds);

    {
        ostrevo::QtPageLoader loader;
        loader.SetVisible(false);
        loader.SetSilent(true);

        // Warm up the engine and its renderer.
        loader.Navigate(base + "/200kb");
        waitIdle(pump, loader);
        (void)loader.PageText();

        std::vector<double> smallTimes;
        std::vector<double> smallLoads;
        for (int i = 0; i < 5; ++i) {
            const auto start = Clock::now();
            loader.Navigate(base + "/200kb?" + std::to_string(i));
            if (!waitIdle(pump, loader)) {
                std::printf("200 KB page did not load\n");
            }
            smallLoads.push_back(milliseconds(Clock::now() - start));
            const std::string text = loader.PageText();
            smallTimes.push_back(milliseconds(Clock::now() - start));
            if (i == 0) {
                std::printf("200 KB page (%zu bytes of HTML): %zu bytes of text\n", small.size(),
                            text.size());
            }
        }

        const auto bigStart = Clock::now();
        loader.Navigate(base + "/1mb");
        if (!waitIdle(pump, loader)) {
            std::printf("1 MB page did not load\n");
        }
        const double bigLoad = milliseconds(Clock::now() - bigStart);
        std::vector<double> bigTimes;
        std::size_t bigText = 0;
        for (int i = 0; i < 5; ++i) {
            const auto start = Clock::now();
            bigText = loader.PageText().size();
            bigTimes.push_back(milliseconds(Clock::now() - start));
        }
        std::sort(smallTimes.begin(), smallTimes.end());
        std::sort(smallLoads.begin(), smallLoads.end());
        std::printf("load alone, 200 KB page: min %.1f ms, median %.1f ms, max %.1f ms; 1 MB page: %.1f ms\n",
                    smallLoads.front(), smallLoads[2], smallLoads.back(), bigLoad);
        std::sort(bigTimes.begin(), bigTimes.end());
        std::printf("load + PageText, 200 KB page: min %.1f ms, median %.1f ms, max %.1f ms (5 runs)\n",
                    smallTimes.front(), smallTimes[2], smallTimes.back());
        std::printf(
            "PageText, 1 MB page (%zu bytes of HTML, %zu bytes of text): min %.1f ms, median %.1f ms, "
            "max %.1f ms (5 runs)\n",
            megabyte.size(), bigText, bigTimes.front(), bigTimes[2], bigTimes.back());

        // Memory with the loader idle on a small page.
        loader.Navigate(base + "/200kb?memory");
        waitIdle(pump, loader);
        pump.WaitMs(1000);
        long total = 0;
        long totalPss = 0;
        std::printf("resident memory with one hidden loader after a 200 KB page:\n");
        for (int pid : processTree(getpid())) {
            std::ifstream comm("/proc/" + std::to_string(pid) + "/comm");
            std::string name;
            std::getline(comm, name);
            const long kb = rssKb(pid);
            const long pss = pssKb(pid);
            total += kb;
            totalPss += pss;
            std::printf("  pid %d %-16s RSS %ld kB, PSS %ld kB\n", pid, name.c_str(), kb, pss);
        }
        std::printf("  total RSS %ld kB (%.1f MiB), PSS %ld kB (%.1f MiB)\n", total, total / 1024.0, totalPss,
                    totalPss / 1024.0);

        measureIdleWait(pump, waitSeconds, "idle window, one idle loader");
    }

    server.stop();
    serving.join();
    return 0;
}
