// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// The plan of an RDAP lookup run: which request may start when, and what each
// host's answers add up to. It sends nothing itself and reads no clock: the
// caller asks for the next request at a time of its own, sends it, and hands
// the answer back.
//
// Each host is asked at its registry; when the registry's answer links to the
// registrar's own answer, that is asked too. Requests to one server keep to
// `requestsPerSecond`: one a slot, slots an interval apart; a request that
// starts less than half an interval late does not move the later slots, one
// that starts later moves them; requests to different servers run side by
// side, within `maxInFlight` in all and `maxInFlightPerServer` per server. A
// busy server (429, 503) is left alone for as long as it asks, or for a
// doubling pause, and its request keeps its place; a server asking for longer
// than `maxPauseMs` is not asked again in this run, its hosts unanswered. Any
// other failure is asked once more at the end of its server's queue. A
// registrar link is followed over http only from an answer that came over http.

#include "lookup/domainstatus.h"
#include "lookup/rdapanswer.h"
#include "lookup/rdapbootstrap.h"

#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace ostrevo {

struct RdapRunOptions {
    double requestsPerSecond = 1; // per server
    int maxInFlight = 16;
    int maxInFlightPerServer = 4;
    int maxBusyAnswers = 8;             // a request busy this often more counts as unanswered
    std::int64_t firstBackoffMs = 2000; // pause after a busy answer without Retry-After
    std::int64_t maxPauseMs = 120'000;  // longest pause a server may ask for
};

struct RdapRequest {
    std::uint64_t id = 0;
    std::size_t host = 0; // index into the run's hosts
    std::string url;
};

enum class RdapHostOutcome { Row, NotRegistered, NoAnswer };

struct RdapHostResult {
    std::size_t host = 0;
    RdapHostOutcome outcome = RdapHostOutcome::NoAnswer;
    std::string email;       // registrar's, else registry's
    std::string contactForm; // only when there is no e-mail
    std::string expires;     // registry's, else registrar's
    StatusFacts status;      // registry's words and dates, else registrar's
};

class RdapRun {
public:
    RdapRun(std::vector<std::string> hosts, const RdapServers& servers, RdapRunOptions options);

    // A request that may start at `nowMs`, counted as in flight from now on;
    // nothing when none may start yet.
    std::optional<RdapRequest> nextRequest(std::int64_t nowMs);
    // When a queued request may start, if no answer comes first; nothing when
    // the run waits for answers only.
    std::optional<std::int64_t> nextStartMs() const;
    // The answer to request `id`: its HTTP status, or 0 when none came (network
    // error, deadline, answer too large); the Retry-After header in milliseconds;
    // `overHttps` when a redirect brought an http request's answer over https.
    void answered(std::uint64_t id, long status, std::string_view body,
                  std::optional<std::int64_t> retryAfterMs, std::int64_t nowMs, bool overHttps = false);

    // Request `id` never reached its server (the proxy failed): it goes back
    // to the front of its server's queue, counting as no answer at all.
    void requeue(std::uint64_t id);

    // Hosts finished since the last call.
    std::vector<RdapHostResult> takeResults();
    const std::string& hostName(std::size_t host) const { return m_hosts[host]; }
    std::size_t hostCount() const { return m_hosts.size(); }
    std::size_t hostsDone() const { return m_done; }
    bool finished() const { return m_done == m_hosts.size(); }
    std::size_t inFlight() const { return m_inFlight.size(); }

private:
    struct Job {
        std::size_t host = 0;
        std::string url;
        bool atRegistrar = false;
        int failures = 0;
        int busyAnswers = 0;
    };
    struct Server {
        std::deque<Job> queue;
        int inFlight = 0;
        std::int64_t nextStart = 0;
        std::int64_t pausedUntil = 0;
        std::int64_t backoff = 0;
        bool givenUp = false; // asked for a longer pause than the run waits
        std::int64_t readyAt() const { return std::max(nextStart, pausedUntil); }
    };
    struct InFlight {
        Job job;
        std::string server;
    };

    void enqueue(Job job, bool atFront = false);
    void finish(std::size_t host, RdapHostOutcome outcome, const RdapAnswer* registrar = nullptr);
    void failed(Job job);
    void unanswered(const Job& job);
    void pause(Server& server, std::optional<std::int64_t> retryAfterMs, std::int64_t nowMs);

    std::vector<std::string> m_hosts;
    RdapRunOptions m_options;
    std::int64_t m_intervalMs;
    std::map<std::string, Server> m_servers; // by scheme and authority
    std::unordered_map<std::uint64_t, InFlight> m_inFlight;
    std::unordered_map<std::size_t, RdapAnswer> m_registryAnswers; // hosts waiting for their registrar
    std::vector<RdapHostResult> m_results;
    std::uint64_t m_nextId = 1;
    std::size_t m_done = 0;
};

} // namespace ostrevo
