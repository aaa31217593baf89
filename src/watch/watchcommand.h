// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// `ostrevo --check-watch`: checks the watched domains that are due without a
// window or a display, prints one line per change, and exits 0 with no
// change, 1 with a change, 2 on an error (the watch list unusable, no RDAP
// server list, or not one domain answered).

#include <filesystem>
#include <iosfwd>

namespace ostrevo {

inline constexpr const char* CheckWatchOption = "--check-watch";
inline constexpr const char* WatchListFileName = "watch.sqlite";

// Whether the command line asks for the check.
bool wantsWatchCheck(int argc, char** argv);

// The whole command, with its own QCoreApplication: call it before any
// application object exists.
int runWatchCheck(int argc, char** argv);

// The check itself, for a database and RDAP server list of the caller's
// choice, with an event loop already running or not; `out` gets the changes,
// `err` the rest.
int checkDueWatchedDomains(const std::filesystem::path& database, const std::filesystem::path& serversFile,
                           std::ostream& out, std::ostream& err);

// The RDAP server list the command reads: the user's own (which "Update RDAP
// servers" keeps fresh) before the copy shipped with the program.
std::filesystem::path watchServersFile();

} // namespace ostrevo
