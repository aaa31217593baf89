// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "app/startup.h"
#include "cli/commandlinemain.h"
#include "lookup/rdapbootstrap.h"
#include "lookup/whoissetting.h"
#include "net/proxysetting.h"
#include "pageloader/qtpageloader.h"
#include "platform/errorguard.h"
#include "platform/eventpump.h"
#include "platform/qtprompts.h"
#include "platform/settings.h"
#include "platform/systemlocale.h"
#include "platform/ticksource.h"
#include "rechercheweb/shippedfiles.h"
#include "rechercheweb/tliste.h"
#include "watch/watchcommand.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLoggingCategory>
#include <QTimer>

#include <filesystem>
#include <memory>
#include <optional>

namespace {

// Reads listex.txt from the current folder as always; an installed program
// started from a menu gets a per-user copy of the shipped catalogue instead.
void settleCatalogue(ostrevo::Tliste& liste)
{
    const ostrevo::CatalogueLocation location = ostrevo::shippedFileLocation(ostrevo::CatalogueFileName);
    QDir::setCurrent(QFile::decodeName(location.readFolder.c_str()));
    liste.setCatalogueFolder(location.updateFolder);
}

// The RDAP server list is placed as the catalogue is; its update replaces the
// file the runs read.
void settleRdapServers(ostrevo::TForm1& form1)
{
    form1.setRdapServersFile(ostrevo::shippedFile(ostrevo::RdapServersFileName));
}

} // namespace

int main(int argc, char* argv[])
{
    // Checking the watch list needs no window, nor a display.
    if (ostrevo::wantsWatchCheck(argc, argv)) {
        return ostrevo::runWatchCheck(argc, argv);
    }
    // A command runs without windows; anything else opens the window.
    if (const std::optional<int> status = ostrevo::cli::runCommandLine(argc, argv)) {
        return *status;
    }
    // The browser engine takes its settings before the application exists.
    ostrevo::prepareBrowserEngine();
    // The browser engine describes its graphics set-up on every start; only
    // QT_LOGGING_RULES (which overrides this) brings that back.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.webenginecontext.info=false"));
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Ostrevo"));
    QApplication::setApplicationName(QStringLiteral("Ostrevo"));
    QApplication::setApplicationDisplayName(QStringLiteral("Ostrevo"));
    ostrevo::loadSystemLocale();

    ostrevo::SteadyTickSource ticks;
    ostrevo::EventPump pump(ticks);
    ostrevo::QtPrompts prompts;
    // Before the first page: the browser engine reads its proxy when it starts.
    const std::unique_ptr<ostrevo::SecretStore> secrets = ostrevo::makeDesktopSecretStore();
    const ostrevo::SecretStore::Status secretStatus = ostrevo::useStoredProxy(*secrets);

    ostrevo::StartupWindows windows = ostrevo::createWindows(
        prompts, pump, std::make_unique<ostrevo::QtPageLoader>(), ostrevo::loadWhoisServices());
    ostrevo::TForm1& form1 = *windows.Form1;
    form1.setSecretStore(secrets.get(), secretStatus);
    ostrevo::Tliste liste(prompts, pump, form1, [] { return std::make_unique<ostrevo::QtPageLoader>(); });
    form1.setLinksWindow(&liste);
    prompts.setParentWidget(&form1);
    ostrevo::guarded(prompts, [&] { settleRdapServers(form1); });
    ostrevo::guarded(prompts, [&] { settleCatalogue(liste); });

    form1.setJournalFile(ostrevo::userDataPath() / "lookup-journal.csv");
    ostrevo::guarded(prompts,
                     [&] { form1.setWatchList(ostrevo::userDataPath() / ostrevo::WatchListFileName); });

    form1.show();
    // Once the window is up: the rows of a run the last start did not end,
    // then a URL list file named on the command line, looked up at once.
    const QStringList arguments = QApplication::arguments();
    QTimer::singleShot(0, &form1, [&] {
        ostrevo::guarded(prompts, [&] { form1.offerJournalRestore(); });
        if (arguments.size() > 1) {
            ostrevo::guarded(prompts, [&] { liste.lookUpFile(arguments.at(1)); });
        }
    });
    return QApplication::exec();
}
