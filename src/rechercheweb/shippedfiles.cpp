// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "rechercheweb/shippedfiles.h"

#include "platform/settings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

namespace ostrevo {

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

CatalogueLocation shippedFileLocation(std::string_view fileName)
{
    const QString exeDir = QCoreApplication::applicationDirPath();
    const QString name = QString::fromUtf8(fileName.data(), static_cast<qsizetype>(fileName.size()));
    return chooseCatalogueLocation(localPath(QDir::currentPath()), localPath(exeDir), userDataPath(),
                                   {localPath(exeDir + QLatin1Char('/') + name),
                                    localPath(exeDir + QStringLiteral("/../share/ostrevo/") + name)},
                                   fileName);
}

std::filesystem::path shippedFile(std::string_view fileName)
{
    return shippedFileLocation(fileName).readFolder / fileName;
}

} // namespace ostrevo
