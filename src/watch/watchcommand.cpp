// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "watch/watchcommand.h"

#include "lookup/rdapbootstrap.h"
#include "platform/settings.h"
#include "platform/ticksource.h"
#include "watch/watchchecker.h"
#include "watch/watchstore.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>

#include <cstring>
#include <exception>
#include <iostream>

namespace ostrevo {

namespace {

std::filesystem::path localPath(const QString& path)
{
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

} // namespace

bool wantsWatchCheck(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], CheckWatchOption) == 0) {
            return true;
        }
    }
    return false;
}

std::filesystem::path watchServersFile()
{
    const QString name = QString::fromLatin1(RdapServersFileName);
    const QString exeDir = QCoreApplication::applicationDirPath();
    const QStringList candidates{
        userDataFolder() + QLatin1Char('/') + name, QDir::currentPath() + QLatin1Char('/') + name,
        exeDir + QLatin1Char('/') + name, exeDir + QStringLiteral("/../share/ostrevo/") + name};
    for (const QString& candidate : candidates) {
        if (QFile::exists(candidate)) {
            return localPath(candidate);
        }
    }
    return localPath(userDataFolder() + QLatin1Char('/') + name);
}

int checkDueWatchedDomains(const std::filesystem::path& database, const std::filesystem::path& serversFile,
                           std::ostream& out, std::ostream& err)
{
    try {
        WatchStore store(database);
        bool failed = false;
        if (!store.recoveryMessage().empty()) {
            err << store.recoveryMessage() << '\n';
            failed = true;
        }
        SteadyTickSource ticks;
        WatchChecker checker(store, serversFile, ticks, systemWallTime);
        int changes = 0;
        int checked = 0;
        QEventLoop loop;
        checker.setHooks({
            .notice =
                [&](const WatchNotice& notice) {
                    out << notice.text << '\n' << std::flush;
                    ++changes;
                },
            .checked = [&](const std::string&) { ++checked; },
            .error =
                [&](const std::string& error) {
                    err << error << '\n';
                    failed = true;
                },
            .finished = [&] { loop.quit(); },
        });
        const std::size_t due = store.due(systemWallTime()).size();
        checker.checkDue();
        if (checker.busy()) {
            loop.exec();
        }
        if (checker.missed() > 0) {
            err << checker.missed() << " of " << due
                << " domains got no answer; they are tried again at the next check.\n";
            // Not one answer: the network or the servers are out of reach.
            failed = failed || checker.missed() >= checked;
        }
        return failed ? 2 : changes > 0 ? 1 : 0;
    } catch (const std::exception& e) {
        err << e.what() << '\n';
        return 2;
    }
}

int runWatchCheck(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Ostrevo"));
    QCoreApplication::setApplicationName(QStringLiteral("Ostrevo"));
    return checkDueWatchedDomains(localPath(userDataFolder()) / WatchListFileName, watchServersFile(),
                                  std::cout, std::cerr);
}

} // namespace ostrevo
