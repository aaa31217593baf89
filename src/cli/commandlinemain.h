// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// The commands that run without windows, started from main().

#include <optional>

namespace ostrevo::cli {

// Runs the command the arguments name and gives its exit status; nothing
// when they ask for the window (no command, or a file to look up in it).
std::optional<int> runCommandLine(int argc, char* argv[]);

} // namespace ostrevo::cli
