// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "lookup/lookupchoices.h"

#include "platform/settings.h"

#include <algorithm>

namespace ostrevo {

LookupChoices loadLookupChoices(bool* firstStart)
{
    LookupChoices choices;
    const QString source = storedText(settingskey::LookupSource);
    const bool fresh = source.isEmpty() && !anythingStored();
    if (fresh) {
        // Registries must answer RDAP; registrars' whois pages move, limit and redact.
        store(settingskey::LookupSource, QStringLiteral("rdap"));
    }
    if (firstStart != nullptr) {
        *firstStart = fresh;
    }
    choices.rdap = fresh || source == QStringLiteral("rdap");
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

} // namespace ostrevo
