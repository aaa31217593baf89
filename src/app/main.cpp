// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "expired/tform1.h"
#include "expired/whoisservices.h"
#include "pageloader/qtpageloader.h"
#include "platform/eventpump.h"
#include "platform/qtprompts.h"
#include "platform/systemlocale.h"
#include "platform/ticksource.h"

#include <QApplication>

#include <memory>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Ostrevo"));
    QApplication::setApplicationDisplayName(QStringLiteral("Ostrevo"));
    ostrevo::loadSystemLocale();

    ostrevo::SteadyTickSource ticks;
    ostrevo::EventPump pump(ticks);
    ostrevo::QtPrompts prompts;

    ostrevo::TForm1 form1(prompts, pump, std::make_unique<ostrevo::QtPageLoader>(),
                          ostrevo::defaultWhoisServices());
    form1.show();
    return QApplication::exec();
}
