// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// Checks watched domains over RDAP in the background: requests go out at the
// polite pace on the event loop, each answer is written to the watch list as
// it comes, and nothing ever waits for the network. While its schedule runs,
// it checks the domains that are due on its own.

#include "lookup/rdapclient.h"
#include "lookup/rdaprun.h"
#include "watch/watchrules.h"

#include <QObject>
#include <QTimer>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace ostrevo {

class TickSource;
class WatchStore;

// Seconds since 1970; tests pass a clock of their own.
using WallClock = std::function<WallTime()>;
WallTime systemWallTime();

struct WatchCheckerHooks {
    std::function<void(const WatchNotice&)> notice;       // an actionable change, already written
    std::function<void(const std::string& name)> checked; // a domain's row changed (answered or not)
    std::function<void(const std::string& error)> error;  // the round could not run or write
    std::function<void()> finished;                       // a round ended (done or stopped)
};

class WatchChecker final : public QObject {
    Q_OBJECT
public:
    // `serversFile` is the RDAP bootstrap file, read again for every round.
    WatchChecker(WatchStore& store, std::filesystem::path serversFile, TickSource& ticks, WallClock clock,
                 RdapRunOptions options = {}, RdapClientLimits limits = {});
    ~WatchChecker() override;

    void setHooks(WatchCheckerHooks hooks) { m_hooks = std::move(hooks); }
    // Checks these domains now; while a round runs, they wait for the next.
    void check(std::vector<std::string> names);
    // Checks the domains whose next check has come.
    void checkDue();
    // Drops the requests in flight: their domains stay due. No hook runs after it.
    void stop();
    bool busy() const { return m_run != nullptr; }
    // Domains without an answer since the schedule or the last round started.
    int missed() const { return m_missed; }

    // Looks for due domains every `pollMs`, and at once.
    void startSchedule(int pollMs = 60'000);
    void stopSchedule();

private:
    void startRound();
    void pump();
    void collect();
    void endRound();

    WatchStore& m_store;
    std::filesystem::path m_serversFile;
    TickSource& m_ticks;
    WallClock m_clock;
    RdapRunOptions m_options;
    RdapClient m_client;
    WatchCheckerHooks m_hooks;
    std::unique_ptr<RdapRun> m_run;
    std::vector<std::string> m_waiting;
    std::uint32_t m_startTick = 0;
    int m_missed = 0;
    QTimer m_wake;     // the next request the pace allows
    QTimer m_schedule; // due domains
};

} // namespace ostrevo
