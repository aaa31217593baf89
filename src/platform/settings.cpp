// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "platform/settings.h"

#include <QCoreApplication>
#include <QSettings>
#include <QStandardPaths>

#include <algorithm>

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
    const QString text = stored(key, QMetaType::QString).toString();
    // None of the texts kept has a line break or a control character, nor
    // bytes that were no UTF-8: such a value comes from a damaged file.
    const bool damaged = std::any_of(text.begin(), text.end(), [](QChar c) {
        return c.unicode() < 0x20 || c.unicode() == 0x7f || c == QChar::ReplacementCharacter;
    });
    return text.isEmpty() || damaged ? fallback : text;
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

bool anythingStored()
{
    const QSettings settings;
    return !settings.allKeys().isEmpty();
}

QString userDataFolder()
{
    // Named after the program alone, as before the settings named the
    // organisation too (which AppDataLocation would add as a second level).
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QLatin1Char('/') +
           QCoreApplication::applicationName();
}

} // namespace ostrevo
