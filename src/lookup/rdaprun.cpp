// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "lookup/rdaprun.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace ostrevo {

namespace {

// "https://Rdap.Example:8443/path" -> "https://rdap.example:8443": pacing and
// pauses are per server, whichever way a link spells it.
std::string serverOf(std::string_view url)
{
    const std::size_t authority = url.find("://");
    const std::size_t end =
        authority == std::string_view::npos ? url.size() : url.find_first_of("/?#", authority + 3);
    std::string server(url.substr(0, end));
    std::transform(server.begin(), server.end(), server.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    // A default port names the same server as none.
    if ((server.starts_with("https://") && server.ends_with(":443")) ||
        (server.starts_with("http://") && server.ends_with(":80"))) {
        server.resize(server.rfind(':'));
    }
    return server;
}

bool isHttps(std::string_view url)
{
    return serverOf(url).starts_with("https://");
}

} // namespace

RdapRun::RdapRun(std::vector<std::string> hosts, const RdapServers& servers, RdapRunOptions options)
    : m_hosts(std::move(hosts)), m_options(options),
      m_intervalMs(
          static_cast<std::int64_t>(std::ceil(1000.0 / std::clamp(options.requestsPerSecond, 0.01, 1000.0))))
{
    for (std::size_t host = 0; host < m_hosts.size(); ++host) {
        std::string url = rdapDomainUrl(servers.baseFor(m_hosts[host]), m_hosts[host]);
        if (url.empty()) {
            finish(host, RdapHostOutcome::NoAnswer);
        } else {
            enqueue({host, std::move(url)});
        }
    }
}

void RdapRun::enqueue(Job job, bool atFront)
{
    Server& server = m_servers[serverOf(job.url)];
    if (server.givenUp) {
        unanswered(job);
        return;
    }
    if (atFront) {
        server.queue.push_front(std::move(job));
    } else {
        server.queue.push_back(std::move(job));
    }
}

std::optional<RdapRequest> RdapRun::nextRequest(std::int64_t nowMs)
{
    if (m_inFlight.size() >= static_cast<std::size_t>(m_options.maxInFlight)) {
        return std::nullopt;
    }
    // The server that has waited longest goes first, so that no registrar starves.
    Server* chosen = nullptr;
    const std::string* chosenName = nullptr;
    for (auto& [name, server] : m_servers) {
        if (server.queue.empty() || server.inFlight >= m_options.maxInFlightPerServer ||
            server.readyAt() > nowMs) {
            continue;
        }
        if (chosen == nullptr || server.readyAt() < chosen->readyAt()) {
            chosen = &server;
            chosenName = &name;
        }
    }
    if (chosen == nullptr) {
        return std::nullopt;
    }

    // A request that starts a little late (the caller woke late) keeps the
    // server's cadence, or a loaded machine would fall behind the pace for
    // good; after a longer wait (a pause, answers awaited) the next waits a
    // whole interval.
    const bool onCadence = nowMs - chosen->nextStart <= m_intervalMs / 2;
    chosen->nextStart = (onCadence ? chosen->nextStart : nowMs) + m_intervalMs;
    ++chosen->inFlight;
    RdapRequest request{m_nextId++, chosen->queue.front().host, chosen->queue.front().url};
    m_inFlight.emplace(request.id, InFlight{std::move(chosen->queue.front()), *chosenName});
    chosen->queue.pop_front();
    return request;
}

std::optional<std::int64_t> RdapRun::nextStartMs() const
{
    if (m_inFlight.size() >= static_cast<std::size_t>(m_options.maxInFlight)) {
        return std::nullopt;
    }
    std::optional<std::int64_t> earliest;
    for (const auto& [name, server] : m_servers) {
        if (!server.queue.empty() && server.inFlight < m_options.maxInFlightPerServer) {
            earliest = std::min(earliest.value_or(server.readyAt()), server.readyAt());
        }
    }
    return earliest;
}

void RdapRun::answered(std::uint64_t id, long status, std::string_view body,
                       std::optional<std::int64_t> retryAfterMs, std::int64_t nowMs, bool overHttps)
{
    const auto found = m_inFlight.find(id);
    if (found == m_inFlight.end()) {
        return;
    }
    Job job = std::move(found->second.job);
    Server& server = m_servers[found->second.server];
    m_inFlight.erase(found);
    --server.inFlight;

    RdapAnswer answer = readRdapAnswer(status, body);
    if (answer.outcome == RdapOutcome::Busy) {
        // The pause holds for every later request, this one's retry included,
        // even when this request has been busy too often to keep its place.
        pause(server, retryAfterMs, nowMs);
        if (++job.busyAnswers <= m_options.maxBusyAnswers) {
            enqueue(std::move(job), true);
            return;
        }
    } else {
        server.backoff = 0;
    }

    switch (answer.outcome) {
    case RdapOutcome::Domain:
        // The registrar's link is outside input: it may not take the lookup from https down to http.
        if (!answer.related.empty() && !isHttps(answer.related) && (overHttps || isHttps(job.url))) {
            answer.related.clear();
        }
        if (job.atRegistrar) {
            finish(job.host, RdapHostOutcome::Row, &answer);
        } else if (!answer.related.empty()) {
            Job registrar{job.host, answer.related, true};
            m_registryAnswers.emplace(job.host, std::move(answer));
            enqueue(std::move(registrar));
        } else {
            m_registryAnswers.emplace(job.host, std::move(answer));
            finish(job.host, RdapHostOutcome::Row);
        }
        break;
    case RdapOutcome::NotFound:
        // A registrar that does not know a name the registry has still leaves the registry's row.
        finish(job.host, job.atRegistrar ? RdapHostOutcome::Row : RdapHostOutcome::NotRegistered);
        break;
    case RdapOutcome::Busy:
    case RdapOutcome::Unusable:
        failed(std::move(job));
        break;
    }
}

void RdapRun::requeue(std::uint64_t id)
{
    const auto found = m_inFlight.find(id);
    if (found == m_inFlight.end()) {
        return;
    }
    Job job = std::move(found->second.job);
    --m_servers[found->second.server].inFlight;
    m_inFlight.erase(found);
    enqueue(std::move(job), true);
}

void RdapRun::pause(Server& server, std::optional<std::int64_t> retryAfterMs, std::int64_t nowMs)
{
    if (retryAfterMs && *retryAfterMs > m_options.maxPauseMs) {
        // Asking sooner would ignore the server, waiting that long would hold the run up.
        server.givenUp = true;
        std::deque<Job> waiting = std::exchange(server.queue, {});
        for (const Job& job : waiting) {
            unanswered(job);
        }
        return;
    }
    if (!retryAfterMs) {
        server.backoff = std::min(server.backoff == 0 ? m_options.firstBackoffMs : server.backoff * 2,
                                  m_options.maxPauseMs);
    }
    server.pausedUntil = std::max(server.pausedUntil,
                                  nowMs + std::max<std::int64_t>(retryAfterMs.value_or(server.backoff), 0));
}

void RdapRun::failed(Job job)
{
    if (++job.failures < 2) {
        enqueue(std::move(job));
        return;
    }
    unanswered(job);
}

void RdapRun::unanswered(const Job& job)
{
    // The registry has answered for a host whose registrar does not: its row stands.
    finish(job.host, job.atRegistrar ? RdapHostOutcome::Row : RdapHostOutcome::NoAnswer);
}

void RdapRun::finish(std::size_t host, RdapHostOutcome outcome, const RdapAnswer* registrar)
{
    RdapHostResult result{host, outcome, {}, {}, {}, {}};
    if (outcome == RdapHostOutcome::Row) {
        const RdapAnswer& registry = m_registryAnswers[host];
        const RdapAnswer none;
        const RdapAnswer& own = registrar != nullptr ? *registrar : none;
        result.expires = !registry.expires.empty() ? registry.expires : own.expires;
        // The registry sets the status; a registrar's copy may lag behind it.
        const auto either = [](const std::string& first, const std::string& second) {
            return !first.empty() ? first : second;
        };
        result.status.words = !registry.status.empty() ? registry.status : own.status;
        result.status.expires = result.expires;
        result.status.lastChanged = either(registry.lastChanged, own.lastChanged);
        result.status.deletion = either(registry.deletion, own.deletion);
        result.email = !own.email.empty() ? own.email : registry.email;
        if (result.email.empty()) {
            result.contactForm = !own.contactForm.empty() ? own.contactForm : registry.contactForm;
        }
    }
    m_registryAnswers.erase(host);
    m_results.push_back(std::move(result));
    ++m_done;
}

std::vector<RdapHostResult> RdapRun::takeResults()
{
    return std::exchange(m_results, {});
}

} // namespace ostrevo
