// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// Notices a whois service that has stopped giving answers the run can read:
// a changed page gives neither a record, nor a refusal, nor a "not found",
// host after host.

#include "lookup/whoisparser.h"

#include <array>

namespace ostrevo {

class WhoisSilence {
public:
    static constexpr int HostsInARow = 10;

    // Counts the answer of service `service` (0 first, 1 second); true when
    // that service has now given nothing usable for HostsInARow hosts in a row.
    bool silentAfter(int service, WhoisOutcome outcome)
    {
        int& count = m_inARow[service == 0 ? 0 : 1];
        count = outcome == WhoisOutcome::None ? count + 1 : 0;
        return count >= HostsInARow;
    }

private:
    std::array<int, 2> m_inARow{};
};

} // namespace ostrevo
