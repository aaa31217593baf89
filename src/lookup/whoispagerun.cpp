// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "lookup/whoispagerun.h"

#include "lookup/whoissilence.h"
#include "net/activeproxy.h"
#include "net/registereddomain.h"
#include "pageloader/pageloader.h"
#include "platform/eventpump.h"
#include "textscan/hostname.h"

namespace ostrevo {

namespace {
// The registrars' pages count requests: a pause after each keeps a run under their limits.
constexpr int PauseAfterPageMs = 2100;
} // namespace

WhoisPageRun::WhoisPageRun(PageLoader& www, EventPump& pump, WhoisServices services)
    : m_www(www), m_pump(pump), m_services(std::move(services))
{
    m_www.OnDocumentComplete = [this] { documentComplete(); };
}

WhoisPageRun::~WhoisPageRun()
{
    m_www.OnDocumentComplete = nullptr;
}

bool WhoisPageRun::run(const std::vector<std::string>& hosts, const LookupHooks& hooks)
{
    bool exceeded = false;
    WhoisSilence silence;
    std::size_t unserved = 0;
    // Said once the run ends, however it ends: one notice for all such hosts.
    const auto tellUnserved = [&] {
        if (unserved > 0) {
            hooks.notice(std::to_string(unserved) + (unserved == 1 ? " host has" : " hosts have") +
                         " a TLD the whois pages do not serve: choose RDAP");
        }
    };
    for (std::size_t i = 0; i < hosts.size(); ++i) {
        // Hosts come from web pages and files: only a DNS name is asked for and shown.
        const std::string host = checkedHostName(hosts[i]);
        hooks.progress(i);
        hooks.asking(host);
        if (hooks.stopped() || (hooks.windingDown && hooks.windingDown())) {
            tellUnserved();
            return false;
        }
        if (host.empty()) {
            continue;
        }
        if (!servesTld(topLevelDomain(host))) {
            ++unserved;
            hooks.hostDone(i);
            continue;
        }

        const bool second = usesSecondService(static_cast<int>(i % 10), exceeded);
        const std::optional<HostAnswer> result =
            lookUpHost(second ? m_services.second : m_services.first,
                       second ? m_services.first : m_services.second, host, hooks);
        if (!result) {
            tellUnserved();
            return false;
        }
        hooks.hostDone(i);
        exceeded = result->firstRefused;
        const WhoisAnswer& answer = result->answer;
        if (answer.outcome == WhoisOutcome::Record) {
            const WhoisRecord& record = answer.record;
            hooks.row({host,
                       record.email.empty() ? record.contactForm : "mailto:" + record.email,
                       record.expires,
                       {record.status, record.expires, {}, {}}});
        } else if (answer.outcome == WhoisOutcome::NotRegistered && m_listUnregistered) {
            hooks.row({host, {}, "not registered", {}});
        }
        // A refusal is an answer too; the other service then gave the one read.
        if (result->firstRefused) {
            silence.silentAfter(second ? 1 : 0, WhoisOutcome::Refused);
        }
        const bool bySecond = second != result->firstRefused;
        if (silence.silentAfter(bySecond ? 1 : 0, answer.outcome)) {
            hooks.notice((bySecond ? m_services.second : m_services.first).host +
                         " may have changed its whois page: RDAP is in the command menu");
        }
    }
    tellUnserved();
    return true;
}

std::optional<WhoisAnswer> WhoisPageRun::askWhois(const WhoisService& service, const std::string& host,
                                                  const LookupHooks& hooks)
{
    const std::function<bool()>& stopped = hooks.stopped;
    const std::string url = whoisUrl(service, host);
    for (;;) {
        m_loaded = false;
        m_www.Navigate(url);
        m_pump.waitUntil([&] { return m_loaded || stopped(); });
        if (stopped()) {
            return std::nullopt;
        }
        const ProxyFailure failure = m_www.ProxyFailureOfLoad();
        if (failure == ProxyFailure::None) {
            break;
        }
        // The service was never asked: the host keeps its place until the user says.
        if (!hooks.proxyFailed || !hooks.proxyFailed(proxyFailureFor(failure, url)) || stopped()) {
            return std::nullopt;
        }
    }
    // A page stopped at its deadline holds no answer, whatever it shows.
    const bool noAnswer = m_www.TimedOut();
    const std::string pageText = noAnswer ? std::string() : m_www.PageText();
    m_pump.WaitMs(PauseAfterPageMs);
    return noAnswer ? WhoisAnswer{WhoisOutcome::NoAnswer, {}} : ParseWhoisPage(pageText);
}

std::optional<WhoisPageRun::HostAnswer> WhoisPageRun::lookUpHost(const WhoisService& service,
                                                                 const WhoisService& other,
                                                                 const std::string& host,
                                                                 const LookupHooks& hooks)
{
    std::optional<WhoisAnswer> answer = askWhois(service, host, hooks);
    if (!answer || (answer->outcome != WhoisOutcome::Refused && answer->outcome != WhoisOutcome::NoAnswer)) {
        return answer ? std::optional<HostAnswer>(HostAnswer{std::move(*answer), false}) : std::nullopt;
    }
    if (hooks.stopped()) {
        return std::nullopt;
    }
    answer = askWhois(other, host, hooks);
    return answer ? std::optional<HostAnswer>(HostAnswer{std::move(*answer), true}) : std::nullopt;
}

} // namespace ostrevo
