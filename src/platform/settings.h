// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// What the program keeps for the user between starts: its settings (QSettings
// under the organisation and application names main() sets) and a folder for
// its data files. A missing or damaged settings file reads as defaults.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace ostrevo {

// Every key in one place.
namespace settingskey {
inline const QString MainWindowGeometry = QStringLiteral("mainWindow/geometry");
inline const QString LinksWindowGeometry = QStringLiteral("linksWindow/geometry");
// The result columns' widths the user dragged, 0 for one sized automatically.
inline const QString ResultColumnWidths = QStringLiteral("mainWindow/columnWidths");
inline const QString Keywords = QStringLiteral("search/keywords");
inline const QString Engines = QStringLiteral("search/engines");
inline const QString Limit = QStringLiteral("search/limit");
inline const QString Unlimited = QStringLiteral("search/unlimited");
// The TLDs a search collects: ".com .net .org" when unset, "*" for every TLD.
inline const QString Tlds = QStringLiteral("search/tlds");
// Followed by the dialog's title: each file dialog opens where it was last used.
inline const QString FolderPrefix = QStringLiteral("folders/");
// The registrars' whois sites, host[:port]; the built-in ones when unset.
inline const QString WhoisFirst = QStringLiteral("whois/first");
inline const QString WhoisSecond = QStringLiteral("whois/second");
// Which service answers look-ups ("rdap" or "whois"), whether unregistered
// hosts are listed, and how many RDAP requests a second a run makes.
inline const QString LookupSource = QStringLiteral("lookup/source");
inline const QString LookupListUnregistered = QStringLiteral("lookup/listUnregistered");
inline const QString LookupRdapRequestsPerSecond = QStringLiteral("lookup/rdapRequestsPerSecond");
} // namespace settingskey

// The stored value, or `fallback` when it is missing, of the wrong kind, or
// the file could not be read.
QString storedText(const QString& key, const QString& fallback = {});
bool storedFlag(const QString& key, bool fallback);
QStringList storedList(const QString& key);
QByteArray storedBytes(const QString& key);
void store(const QString& key, const QVariant& value);

// The per-user data folder (the catalogue copy, the journal of a lookup run):
// ~/.local/share/Ostrevo.
QString userDataFolder();

} // namespace ostrevo
