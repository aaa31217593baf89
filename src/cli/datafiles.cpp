// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "cli/datafiles.h"

#include "platform/settings.h"
#include "rechercheweb/cataloguelocation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

namespace ostrevo::cli {

namespace {

std::filesystem::path localPath(const QString& path)
{
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

} // namespace

std::filesystem::path userDataPath()
{
    return localPath(userDataFolder());
}

std::filesystem::path dataFile(std::string_view fileName)
{
    const QString exeDir = QCoreApplication::applicationDirPath();
    const QString name = QString::fromUtf8(fileName.data(), static_cast<qsizetype>(fileName.size()));
    const CatalogueLocation location =
        chooseCatalogueLocation(localPath(QDir::currentPath()), localPath(exeDir), userDataPath(),
                                {localPath(exeDir + QLatin1Char('/') + name),
                                 localPath(exeDir + QStringLiteral("/../share/ostrevo/") + name)},
                                fileName);
    return location.readFolder / fileName;
}

} // namespace ostrevo::cli
