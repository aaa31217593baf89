// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// `ostrevo search`: the links search run without its window, in hidden
// browsers. Needs a QGuiApplication and returns the exit status.

#include "cli/commandline.h"

namespace ostrevo::cli {

int runSearchCommand(const SearchArguments& arguments);

} // namespace ostrevo::cli
