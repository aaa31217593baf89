// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// The lookup through the registries' RDAP servers: a paced RdapRun played
// over the HTTP client, its host results turned into rows.

#include "lookup/lookupchoices.h"
#include "lookup/lookuprun.h"
#include "lookup/rdapbootstrap.h"

#include <cstdint>

namespace ostrevo {

class EventPump;

class RdapLookupRun final : public LookupRun {
public:
    RdapLookupRun(RdapServers servers, const LookupChoices& choices, EventPump& pump);

    bool run(const std::vector<std::string>& hosts, const LookupHooks& hooks) override;
    // The pace measured since the run started; the allowed pace before the first answer.
    Duration remaining(int hosts, int done) const override;

private:
    RdapServers m_servers;
    LookupChoices m_choices;
    EventPump& m_pump;
    std::uint32_t m_startTick = 0;
};

} // namespace ostrevo
