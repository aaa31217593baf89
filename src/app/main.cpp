// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "expired/startup.h"
#include "expired/whoisservices.h"
#include "pageloader/qtpageloader.h"
#include "platform/eventpump.h"
#include "platform/qtprompts.h"
#include "platform/systemlocale.h"
#include "platform/ticksource.h"
#include "rechercheweb/tliste.h"

#include <QApplication>

#include <memory>

int main(int argc, char* argv[])
{
    // The browser engine takes its settings before the application exists.
    ostrevo::prepareBrowserEngine();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Ostrevo"));
    QApplication::setApplicationDisplayName(QStringLiteral("Ostrevo"));
    ostrevo::loadSystemLocale();

    ostrevo::SteadyTickSource ticks;
    ostrevo::EventPump pump(ticks);
    ostrevo::QtPrompts prompts;

    ostrevo::StartupWindows windows = ostrevo::createWindows(
        prompts, pump, std::make_unique<ostrevo::QtPageLoader>(), ostrevo::defaultWhoisServices());
    ostrevo::TForm1& form1 = *windows.Form1;
    ostrevo::Tliste liste(prompts, pump, form1, [] { return std::make_unique<ostrevo::QtPageLoader>(); });
    form1.setLinksWindow(&liste);
    prompts.setParentWidget(&form1);

    form1.show();
    return QApplication::exec();
}
