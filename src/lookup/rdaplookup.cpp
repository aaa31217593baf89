// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "lookup/rdaplookup.h"

#include "lookup/rdapclient.h"
#include "platform/eventpump.h"
#include "platform/ticksource.h"

#include <algorithm>

namespace ostrevo {

namespace {
// Longest sleep between looks at the plan; answers and clicks wake it sooner.
constexpr std::int64_t MaxSleepMs = 250;
} // namespace

bool playRdapRun(RdapRun& run, RdapClient& client, EventPump& pump, const RdapLookupHooks& hooks)
{
    TickSource& ticks = pump.ticks();
    const std::uint32_t start = ticks.now();
    const auto nowMs = [&ticks, start] { return static_cast<std::int64_t>(ticks.now() - start); };
    for (;;) {
        for (const RdapHostResult& result : run.takeResults()) {
            hooks.hostDone(result);
        }
        if (run.finished()) {
            return true;
        }
        if (hooks.stopped()) {
            client.abortAll();
            return false;
        }
        const bool windingDown = hooks.windingDown && hooks.windingDown();
        if (windingDown && run.inFlight() == 0) {
            return false;
        }
        const std::int64_t now = nowMs();
        while (const std::optional<RdapRequest> request = windingDown ? std::nullopt : run.nextRequest(now)) {
            hooks.asking(request->host);
            client.get(request->url, [&run, &nowMs, id = request->id](const RdapReply& reply) {
                run.answered(id, reply.status, reply.body, reply.retryAfterMs, nowMs(), reply.overHttps);
            });
        }
        // Winding down, only answers matter: queued requests set no time.
        const std::optional<std::int64_t> next = windingDown ? std::nullopt : run.nextStartMs();
        const std::int64_t sleep =
            next ? std::clamp<std::int64_t>(*next - nowMs(), 0, MaxSleepMs) : MaxSleepMs;
        ticks.waitForEvents(static_cast<int>(sleep));
    }
}

} // namespace ostrevo
