// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "lookup/rdaplookuprun.h"

#include "lookup/rdapclient.h"
#include "lookup/rdaplookup.h"
#include "platform/eventpump.h"
#include "platform/ticksource.h"

namespace ostrevo {

RdapLookupRun::RdapLookupRun(RdapServers servers, const LookupChoices& choices, EventPump& pump)
    : m_servers(std::move(servers)), m_choices(choices), m_pump(pump), m_startTick(pump.ticks().now())
{}

bool RdapLookupRun::run(const std::vector<std::string>& hosts, const LookupHooks& hooks)
{
    RdapRun plan(hosts, m_servers, {.requestsPerSecond = m_choices.requestsPerSecond});
    RdapClient client;
    int noAnswer = 0;
    m_startTick = m_pump.ticks().now();
    const auto asking = [&](std::size_t host) { hooks.asking(plan.hostName(host)); };
    const auto hostDone = [&](const RdapHostResult& result) {
        const std::string& host = plan.hostName(result.host);
        hooks.hostDone(result.host);
        switch (result.outcome) {
        case RdapHostOutcome::Row:
            hooks.row({host, result.email.empty() ? result.contactForm : "mailto:" + result.email,
                       result.expires, result.status});
            break;
        case RdapHostOutcome::NotRegistered:
            if (m_choices.listUnregistered) {
                hooks.row({host, {}, std::string(NotRegisteredText), {}});
            }
            break;
        case RdapHostOutcome::NoAnswer:
            if (hooks.noAnswer) {
                hooks.noAnswer(result.host);
            }
            hooks.notice("No answer: " + std::to_string(++noAnswer));
            break;
        }
        hooks.progress(plan.hostsDone());
    };
    return playRdapRun(plan, client, m_pump,
                       {asking, hostDone, hooks.stopped, hooks.proxyFailed, hooks.windingDown});
}

Duration RdapLookupRun::remaining(int hosts, int done) const
{
    return remainingAtPace(hosts, done, m_pump.ticks().now() - m_startTick,
                           static_cast<long long>(1000 / m_choices.requestsPerSecond));
}

} // namespace ostrevo
