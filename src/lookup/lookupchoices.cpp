// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "lookup/lookupchoices.h"

#include <QSettings>

#include <algorithm>

namespace ostrevo {

namespace {
const QString SourceKey = QStringLiteral("lookup/source");
const QString UnregisteredKey = QStringLiteral("lookup/listUnregistered");
const QString PaceKey = QStringLiteral("lookup/rdapRequestsPerSecond");
} // namespace

LookupChoices loadLookupChoices()
{
    const QSettings settings;
    LookupChoices choices;
    choices.rdap = settings.value(SourceKey).toString() == QStringLiteral("rdap");
    choices.listUnregistered = settings.value(UnregisteredKey, false).toBool();
    bool ok = false;
    const double pace = settings.value(PaceKey, 1.0).toDouble(&ok);
    choices.requestsPerSecond = ok && pace > 0 ? std::clamp(pace, 0.1, 100.0) : 1.0;
    return choices;
}

void saveLookupChoices(const LookupChoices& choices)
{
    QSettings settings;
    settings.setValue(SourceKey, choices.rdap ? QStringLiteral("rdap") : QStringLiteral("whois"));
    settings.setValue(UnregisteredKey, choices.listUnregistered);
    settings.setValue(PaceKey, choices.requestsPerSecond);
}

} // namespace ostrevo
