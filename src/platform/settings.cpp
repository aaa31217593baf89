// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "platform/settings.h"

#include <QCoreApplication>
#include <QSettings>
#include <QStandardPaths>

namespace ostrevo {
namespace {

// A value that reads as `type`, from a file that could be read; nothing else.
QVariant stored(const QString& key, QMetaType::Type type)
{
    const QSettings settings;
    if (settings.status() != QSettings::NoError) {
        return {};
    }
    const QVariant value = settings.value(key);
    if (!value.isValid() || !value.canConvert(QMetaType(type))) {
        return {};
    }
    return value;
}

} // namespace

QString storedText(const QString& key, const QString& fallback)
{
    const QVariant value = stored(key, QMetaType::QString);
    return value.isValid() ? value.toString() : fallback;
}

bool storedFlag(const QString& key, bool fallback)
{
    // A hand-edited "yes" or a damaged line is no answer either way.
    const QString text = storedText(key);
    if (text == QLatin1String("true")) {
        return true;
    }
    if (text == QLatin1String("false")) {
        return false;
    }
    return fallback;
}

QStringList storedList(const QString& key)
{
    return stored(key, QMetaType::QStringList).toStringList();
}

QByteArray storedBytes(const QString& key)
{
    return stored(key, QMetaType::QByteArray).toByteArray();
}

void store(const QString& key, const QVariant& value)
{
    QSettings settings;
    settings.setValue(key, value);
}

QString userDataFolder()
{
    // Named after the program alone, as before the settings named the
    // organisation too (which AppDataLocation would add as a second level).
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QLatin1Char('/') +
           QCoreApplication::applicationName();
}

} // namespace ostrevo
