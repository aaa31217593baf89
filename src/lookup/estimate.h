// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// Remaining time of a lookup run: two seconds per host still to do for the
// whois pages, the measured pace for RDAP.

namespace ostrevo {

struct Duration {
    long long hours = 0; // not capped at 24: a long run keeps counting hours
    int minutes = 0;
    int seconds = 0;
};

Duration remainingLookupTime(int progressMaximum, int progressPosition);

// A run that measures its pace: the time per finished host so far for each
// host still to do; `assumedMsPerHost` each before the first one finishes.
Duration remainingAtPace(int hosts, int done, long long elapsedMs, long long assumedMsPerHost);

} // namespace ostrevo
