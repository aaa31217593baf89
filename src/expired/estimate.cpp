// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "expired/estimate.h"

namespace ostrevo {

Duration remainingLookupTime(int progressMaximum, int progressPosition)
{
    long long s = 2LL * (static_cast<long long>(progressMaximum) - progressPosition);
    if (s < 0)
        s = 0;
    Duration d;
    d.hours = s / 3600;
    d.seconds = static_cast<int>(s % 60);
    d.minutes = static_cast<int>((s - 3600 * d.hours - d.seconds) / 60);
    return d;
}

} // namespace ostrevo
