// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// The program's windows, created in start-up order behind a splash.

#include "expired/tform1.h"
#include "filtres/filtres.h"

#include <memory>

namespace ostrevo {

struct StartupWindows {
    std::unique_ptr<TForm1> Form1;
    std::unique_ptr<TForm2> Form2;
    std::unique_ptr<TForm3> Form3;
};

// Shows the splash, creates the main window, keeps the splash up for 1500 ms
// with messages flowing, releases it, then creates the filter windows hidden.
// Nothing is shown but the splash: the caller shows Form1 when it starts the
// event loop.
StartupWindows createWindows(Prompts& prompts, EventPump& pump, std::unique_ptr<PageLoader> www,
                             WhoisServices whoisServices);

} // namespace ostrevo
