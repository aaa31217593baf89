// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "lookup/rdaplookup.h"

#include "lookup/rdapclient.h"
#include "platform/eventpump.h"
#include "platform/ticksource.h"

#include <algorithm>
#include <utility>

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
    // A failure at the proxy, from a request sent since the user last answered.
    std::string proxyFailure;
    unsigned attempt = 0;
    for (;;) {
        if (!proxyFailure.empty()) {
            const std::string message = std::exchange(proxyFailure, {});
            // Answers to requests sent before the question count; their proxy failures do not ask again.
            ++attempt;
            if (!hooks.proxyFailed || !hooks.proxyFailed(message)) {
                client.abortAll();
                return false;
            }
        }
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
        while (proxyFailure.empty() && !windingDown) {
            const std::optional<RdapRequest> request = run.nextRequest(now);
            if (!request) {
                break;
            }
            hooks.asking(request->host);
            client.get(request->url, [&, id = request->id, sentIn = attempt](const RdapReply& reply) {
                if (!reply.proxyFailure.empty()) {
                    run.requeue(id);
                    if (sentIn == attempt) {
                        proxyFailure = reply.proxyFailure;
                    }
                    return;
                }
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
