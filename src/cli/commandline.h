// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// The program's arguments read into a command: the window (with a file to
// look up, or none), or one of the commands that run without windows. Any
// first argument that is not a command word keeps its old meaning, a file
// for the window.

#include <optional>
#include <string>
#include <vector>

namespace ostrevo::cli {

enum class Verbosity { Quiet, Normal, Verbose };

struct LookupArguments {
    std::optional<bool> rdap;        // nothing: the settings choose the source
    std::optional<std::string> tlds; // the user's text, as the TLD setting reads it
    bool listUnregistered = false;
    std::string output = "-"; // "-" is standard output
    bool resume = false;
    Verbosity verbosity = Verbosity::Normal;
    std::string input = "-"; // "-" is standard input
};

struct SearchArguments {
    std::string keywords;
    std::vector<std::string> engines; // catalogue names, in the order given
    std::optional<int> limit;         // nothing: as many links as the engines give
    std::optional<std::string> tlds;
    std::string output = "-";
    Verbosity verbosity = Verbosity::Normal;
};

enum class CommandKind { Window, Lookup, Search, Help, UsageError };

struct CommandLine {
    CommandKind kind = CommandKind::Window;
    LookupArguments lookup;
    SearchArguments search;
    std::string text; // the help to print, or what is wrong with the arguments
};

// The most links a search collects, limited or not: the window's cap too.
inline constexpr int MaxSearchLinks = 32000;

// `arguments` without the program's name.
CommandLine parseCommandLine(const std::vector<std::string>& arguments);

// The help of each command, and of the program as a whole.
const std::string& programHelp();
const std::string& lookupHelp();
const std::string& searchHelp();

} // namespace ostrevo::cli
