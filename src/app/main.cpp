// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "app/startup.h"
#include "expired/whoisservices.h"
#include "lookup/rdapbootstrap.h"
#include "pageloader/qtpageloader.h"
#include "platform/errorguard.h"
#include "platform/eventpump.h"
#include "platform/qtprompts.h"
#include "platform/systemlocale.h"
#include "platform/ticksource.h"
#include "rechercheweb/cataloguelocation.h"
#include "rechercheweb/tliste.h"

#include <QApplication>
#include <QDir>
#include <QStandardPaths>

#include <filesystem>
#include <memory>

namespace {

std::filesystem::path localPath(const QString& path)
{
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

// Reads listex.txt from the current folder as always; an installed program
// started from a menu gets a per-user copy of the shipped catalogue instead.
void settleCatalogue(ostrevo::Tliste& liste)
{
    const QString exeDir = QCoreApplication::applicationDirPath();
    const ostrevo::CatalogueLocation location = ostrevo::chooseCatalogueLocation(
        localPath(QDir::currentPath()), localPath(exeDir),
        localPath(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)),
        {localPath(exeDir + QStringLiteral("/listex.txt")),
         localPath(exeDir + QStringLiteral("/../share/ostrevo/listex.txt"))});
    QDir::setCurrent(QFile::decodeName(location.readFolder.c_str()));
    liste.setCatalogueFolder(location.updateFolder);
}

// The RDAP server list is placed as the catalogue is; its update replaces the
// file the runs read.
void settleRdapServers(ostrevo::TForm1& form1)
{
    const QString exeDir = QCoreApplication::applicationDirPath();
    const QString name = QString::fromLatin1(ostrevo::RdapServersFileName);
    const ostrevo::CatalogueLocation location = ostrevo::chooseCatalogueLocation(
        localPath(QDir::currentPath()), localPath(exeDir),
        localPath(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)),
        {localPath(exeDir + QLatin1Char('/') + name),
         localPath(exeDir + QStringLiteral("/../share/ostrevo/") + name)},
        ostrevo::RdapServersFileName);
    form1.setRdapServersFile(location.readFolder / ostrevo::RdapServersFileName);
}

} // namespace

int main(int argc, char* argv[])
{
    // The browser engine takes its settings before the application exists.
    ostrevo::prepareBrowserEngine();
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Ostrevo"));
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
    ostrevo::guarded(prompts, [&] { settleRdapServers(form1); });
    ostrevo::guarded(prompts, [&] { settleCatalogue(liste); });

    form1.show();
    return QApplication::exec();
}
