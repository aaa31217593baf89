// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "app/startup.h"

#include "pageloader/pageloader.h"
#include "platform/eventpump.h"
#include "splashunit/tsplash.h"

namespace ostrevo {

StartupWindows createWindows(Prompts& prompts, EventPump& pump, std::unique_ptr<PageLoader> www,
                             WhoisServices whoisServices)
{
    auto splash = std::make_unique<TSplash>();
    splash->show();
    splash->repaint();

    StartupWindows windows;
    windows.Form1 = std::make_unique<TForm1>(prompts, pump, std::move(www), std::move(whoisServices));
    pump.WaitMs(1500);
    splash.reset();

    windows.Form2 = std::make_unique<TForm2>(windows.Form1->table(), prompts);
    windows.Form3 = std::make_unique<TForm3>(windows.Form1->table(), prompts);
    windows.Form1->setFilterWindows(windows.Form2.get(), windows.Form3.get());
    return windows;
}

} // namespace ostrevo
