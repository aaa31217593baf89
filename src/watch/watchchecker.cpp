// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "watch/watchchecker.h"

#include "lookup/rdapserversfile.h"
#include "platform/ticksource.h"
#include "watch/watchrecording.h"
#include "watch/watchstore.h"

#include <algorithm>
#include <chrono>
#include <exception>

namespace ostrevo {

namespace {
// The longest real wait before looking at the plan again.
constexpr std::int64_t MaxWakeMs = 1000;
} // namespace

WallTime systemWallTime()
{
    return std::chrono::duration_cast<std::chrono::seconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

WatchChecker::WatchChecker(WatchStore& store, std::filesystem::path serversFile, TickSource& ticks,
                           WallClock clock, RdapRunOptions options, RdapClientLimits limits)
    : m_store(store), m_serversFile(std::move(serversFile)), m_ticks(ticks), m_clock(std::move(clock)),
      m_options(options), m_client(limits)
{
    m_wake.setSingleShot(true);
    connect(&m_wake, &QTimer::timeout, this, [this] { pump(); });
    connect(&m_schedule, &QTimer::timeout, this, [this] { checkDue(); });
}

WatchChecker::~WatchChecker()
{
    m_client.abortAll();
}

void WatchChecker::check(std::vector<std::string> names)
{
    for (std::string& name : names) {
        if (std::find(m_waiting.begin(), m_waiting.end(), name) == m_waiting.end()) {
            m_waiting.push_back(std::move(name));
        }
    }
    if (!busy()) {
        startRound();
    }
}

void WatchChecker::checkDue()
{
    if (busy()) {
        return;
    }
    try {
        check(m_store.due(m_clock()));
    } catch (const std::exception& e) {
        if (m_hooks.error) {
            m_hooks.error(e.what());
        }
    }
}

void WatchChecker::stop()
{
    m_waiting.clear();
    m_wake.stop();
    m_client.abortAll();
    m_run.reset();
}

void WatchChecker::startSchedule(int pollMs)
{
    m_schedule.start(pollMs);
    m_missed = 0;
    checkDue();
}

void WatchChecker::stopSchedule()
{
    m_schedule.stop();
}

void WatchChecker::startRound()
{
    if (m_waiting.empty()) {
        return;
    }
    std::optional<RdapServers> servers = readRdapServersFile(m_serversFile);
    if (!servers) {
        m_waiting.clear();
        if (m_hooks.error) {
            m_hooks.error("The RDAP server list " + m_serversFile.string() +
                          " cannot be read: \"Update RDAP servers\" in the command menu fetches it.");
        }
        if (m_hooks.finished) {
            m_hooks.finished();
        }
        return;
    }
    m_run = std::make_unique<RdapRun>(std::exchange(m_waiting, {}), *servers, m_options);
    m_startTick = m_ticks.now();
    pump();
}

void WatchChecker::pump()
{
    if (!m_run) {
        return;
    }
    collect();
    if (!m_run) {
        return;
    }
    const auto nowMs = [this] { return static_cast<std::int64_t>(m_ticks.now() - m_startTick); };
    RdapRun* run = m_run.get();
    while (const std::optional<RdapRequest> request = run->nextRequest(nowMs())) {
        m_client.get(request->url, [this, run, nowMs, id = request->id](const RdapReply& reply) {
            // A stopped round's answers are dropped with it.
            if (m_run.get() != run) {
                return;
            }
            run->answered(id, reply.status, reply.body, reply.retryAfterMs, nowMs(), reply.overHttps);
            pump();
        });
    }
    if (const std::optional<std::int64_t> next = run->nextStartMs()) {
        m_wake.start(static_cast<int>(std::clamp<std::int64_t>(*next - nowMs(), 0, MaxWakeMs)));
    }
}

void WatchChecker::collect()
{
    for (const RdapHostResult& result : m_run->takeResults()) {
        const std::string name = m_run->hostName(result.host);
        if (result.outcome == RdapHostOutcome::NoAnswer) {
            ++m_missed;
        }
        std::vector<WatchNotice> notices;
        try {
            notices = recordWatchResult(m_store, name, result, m_clock());
        } catch (const std::exception& e) {
            if (m_hooks.error) {
                m_hooks.error(e.what());
            }
            continue;
        }
        if (m_hooks.checked) {
            m_hooks.checked(name);
        }
        for (const WatchNotice& notice : notices) {
            if (m_hooks.notice) {
                m_hooks.notice(notice);
            }
        }
        if (!m_run) {
            return; // a hook stopped the round
        }
    }
    if (m_run->finished()) {
        endRound();
    }
}

void WatchChecker::endRound()
{
    m_wake.stop();
    m_run.reset();
    if (m_hooks.finished) {
        m_hooks.finished();
    }
    // Domains asked for meanwhile.
    if (!m_waiting.empty()) {
        startRound();
    }
}

} // namespace ostrevo
