// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// `ostrevo lookup`: the window's lookup runs without the window. Needs the
// application object (a QGuiApplication for the whois pages) and returns the
// exit status.

#include "cli/commandline.h"

namespace ostrevo::cli {

// The journal an interrupted lookup leaves for --resume, in the user's data folder.
inline constexpr const char* LookupJournalName = "command-line-lookup-journal.csv";

// Whether the run needs the browser engine: the whois pages, as chosen or by the settings.
bool lookupNeedsBrowser(const LookupArguments& arguments);

int runLookupCommand(const LookupArguments& arguments);

} // namespace ostrevo::cli
