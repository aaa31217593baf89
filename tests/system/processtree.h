// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// This process and everything it started (the browser engine's helper
// processes), read from /proc: which processes they are and their memory.

#include "systemsupport.h"

#include <sys/types.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace ostrevo::test {

// The parent of `pid`, or 0 once it is gone.
inline pid_t parentOf(pid_t pid)
{
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    if (!std::getline(stat, line)) {
        return 0;
    }
    // The command name in parentheses may hold spaces: read after its end.
    std::istringstream rest(line.substr(line.rfind(')') + 2));
    char state = 0;
    pid_t parent = 0;
    rest >> state >> parent;
    return parent;
}

// Every living descendant of `root`.
inline std::vector<pid_t> descendantsOf(pid_t root)
{
    std::multimap<pid_t, pid_t> children;
    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
        const std::string name = entry.path().filename().string();
        if (name.find_first_not_of("0123456789") != std::string::npos) {
            continue;
        }
        const auto pid = static_cast<pid_t>(std::stol(name));
        children.emplace(parentOf(pid), pid);
    }
    std::vector<pid_t> found;
    std::vector<pid_t> pending{root};
    while (!pending.empty()) {
        const pid_t parent = pending.back();
        pending.pop_back();
        for (auto [it, end] = children.equal_range(parent); it != end; ++it) {
            found.push_back(it->second);
            pending.push_back(it->second);
        }
    }
    return found;
}

inline std::string commandLineOf(pid_t pid)
{
    std::string line = readFile("/proc/" + std::to_string(pid) + "/cmdline");
    for (char& c : line) {
        if (c == '\0') {
            c = ' ';
        }
    }
    return line;
}

// The browser engine's page renderers among this process's descendants: the
// engine forks them from its zygote, so they keep the zygote's command line
// and only their parent tells them apart.
inline std::set<pid_t> rendererProcesses()
{
    const auto isZygote = [](pid_t pid) {
        return commandLineOf(pid).find("--type=zygote") != std::string::npos;
    };
    std::set<pid_t> renderers;
    for (const pid_t pid : descendantsOf(getpid())) {
        if (isZygote(pid) && isZygote(parentOf(pid))) {
            renderers.insert(pid);
        }
    }
    return renderers;
}

// One field of /proc/<pid>/smaps_rollup in kB, 0 when the process is gone.
inline long rollupKb(pid_t pid, const std::string& field)
{
    std::ifstream rollup("/proc/" + std::to_string(pid) + "/smaps_rollup");
    std::string line;
    while (std::getline(rollup, line)) {
        if (line.rfind(field + ":", 0) == 0) {
            return std::stol(line.substr(field.size() + 1));
        }
    }
    return 0;
}

struct TreeMemory {
    long pssKb = 0; // shared pages counted once across the tree
    long rssKb = 0; // shared pages counted in every process
    int processes = 0;
};

inline TreeMemory treeMemory()
{
    TreeMemory memory;
    std::vector<pid_t> tree = descendantsOf(getpid());
    tree.push_back(getpid());
    for (const pid_t pid : tree) {
        memory.pssKb += rollupKb(pid, "Pss");
        memory.rssKb += rollupKb(pid, "Rss");
        ++memory.processes;
    }
    return memory;
}

} // namespace ostrevo::test
