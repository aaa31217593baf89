// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// The user's lookup choices, kept between starts in the program's settings.

#include "lookup/whoisservices.h"

namespace ostrevo {

struct LookupChoices {
    bool rdap = false;             // "lookup/source": "rdap", else the registrars' whois pages
    bool listUnregistered = false; // "lookup/listUnregistered"
    double requestsPerSecond = 1;  // "lookup/rdapRequestsPerSecond", per RDAP server, 0.1 to 100
};

// Defaults for anything missing or unreadable.
LookupChoices loadLookupChoices();
void saveLookupChoices(const LookupChoices& choices);

// The registrars' whois sites named in the settings, host[:port]; the
// built-in ones for those not named.
WhoisServices loadWhoisServices();

} // namespace ostrevo
