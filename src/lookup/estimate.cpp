// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "lookup/estimate.h"

#include <algorithm>

namespace ostrevo {

namespace {

Duration durationOfSeconds(long long s)
{
    if (s < 0) {
        s = 0;
    }
    Duration d;
    d.hours = s / 3600;
    d.seconds = static_cast<int>(s % 60);
    d.minutes = static_cast<int>((s - 3600 * d.hours - d.seconds) / 60);
    return d;
}

} // namespace

Duration remainingLookupTime(int progressMaximum, int progressPosition)
{
    return durationOfSeconds(2LL * (static_cast<long long>(progressMaximum) - progressPosition));
}

Duration remainingAtPace(int hosts, int done, long long elapsedMs, long long assumedMsPerHost)
{
    const long long left = std::max(0LL, static_cast<long long>(hosts) - done);
    const long long msPerHost = done > 0 ? elapsedMs / done : assumedMsPerHost;
    return durationOfSeconds((left * msPerHost + 999) / 1000);
}

} // namespace ostrevo
