// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "lookup/lookupchoices.h"

#include "platform/settings.h"

#include <QRegularExpression>

#include <algorithm>

namespace ostrevo {

LookupChoices loadLookupChoices()
{
    LookupChoices choices;
    choices.rdap = storedText(settingskey::LookupSource) == QStringLiteral("rdap");
    choices.listUnregistered = storedFlag(settingskey::LookupListUnregistered, false);
    bool ok = false;
    const double pace = storedText(settingskey::LookupRdapRequestsPerSecond).toDouble(&ok);
    choices.requestsPerSecond = ok && pace > 0 ? std::clamp(pace, 0.1, 100.0) : 1.0;
    return choices;
}

void saveLookupChoices(const LookupChoices& choices)
{
    store(settingskey::LookupSource, choices.rdap ? QStringLiteral("rdap") : QStringLiteral("whois"));
    store(settingskey::LookupListUnregistered, choices.listUnregistered);
    store(settingskey::LookupRdapRequestsPerSecond, choices.requestsPerSecond);
}

WhoisServices loadWhoisServices()
{
    WhoisServices services = defaultWhoisServices();
    static const QRegularExpression hostAndPort(QStringLiteral("^[A-Za-z0-9.-]+(:[0-9]{1,5})?$"));
    const auto useStored = [](const QString& key, WhoisService& service) {
        const QString host = storedText(key).trimmed();
        if (hostAndPort.match(host).hasMatch()) {
            service.host = host.toStdString();
        }
    };
    useStored(settingskey::WhoisFirst, services.first);
    useStored(settingskey::WhoisSecond, services.second);
    return services;
}

} // namespace ostrevo
