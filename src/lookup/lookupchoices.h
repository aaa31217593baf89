// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// The user's lookup choices, kept between starts in the program's settings.

#include "lookup/whoisservices.h"

namespace ostrevo {

struct LookupChoices {
    // "lookup/source": "rdap", else the registrars' whois pages. A new
    // installation starts with RDAP; settings from before it keep the whois pages.
    bool rdap = true;
    bool listUnregistered = false; // "lookup/listUnregistered"
    double requestsPerSecond = 1;  // "lookup/rdapRequestsPerSecond", per RDAP server, 0.1 to 100
};

// Defaults for anything missing or unreadable. On a new installation (no
// settings at all) the source is stored at once, and `firstStart` set.
LookupChoices loadLookupChoices(bool* firstStart = nullptr);
void saveLookupChoices(const LookupChoices& choices);

} // namespace ostrevo
