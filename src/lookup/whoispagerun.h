// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// The lookup through the registrars' whois web pages: each host's page is
// loaded in the hidden browser and read. A host one service refuses, or whose
// page never finishes, is asked once more on the other service; a service
// that gives nothing readable for many hosts in a row is named in a notice.

#include "lookup/lookuprun.h"
#include "lookup/whoisparser.h"
#include "lookup/whoisservices.h"

#include <optional>

namespace ostrevo {

class EventPump;
class PageLoader;

class WhoisPageRun final : public LookupRun {
public:
    // Takes over the loader's document-complete event for as long as it lives.
    WhoisPageRun(PageLoader& www, EventPump& pump, WhoisServices services);
    ~WhoisPageRun() override;
    WhoisPageRun(const WhoisPageRun&) = delete;
    WhoisPageRun& operator=(const WhoisPageRun&) = delete;

    bool run(const std::vector<std::string>& hosts, const LookupHooks& hooks) override;
    // Two seconds a host: the pause after each page dominates.
    Duration remaining(int hosts, int done) const override { return remainingLookupTime(hosts, done); }

    // The loader finished the page it was sent to.
    void documentComplete() { m_loaded = true; }
    // Whether a name nobody holds gets a row ("not registered"); set before a run.
    void listUnregistered(bool list) { m_listUnregistered = list; }
    // The registrars asked from the next run on.
    void setServices(WhoisServices services) { m_services = std::move(services); }

private:
    struct HostAnswer {
        WhoisAnswer answer;        // the answer that counts
        bool firstRefused = false; // the service asked first refused the host
    };
    // Loads the service's page for the host, waits for it and reads it;
    // nothing when the run stopped meanwhile.
    std::optional<WhoisAnswer> askWhois(const WhoisService& service, const std::string& host,
                                        const LookupHooks& hooks);
    // Asks `service` about the host, and `other` once more after a refusal
    // or a stalled page, so that no host is lost to either. Nothing when the
    // run stopped meanwhile.
    std::optional<HostAnswer> lookUpHost(const WhoisService& service, const WhoisService& other,
                                         const std::string& host, const LookupHooks& hooks);

    PageLoader& m_www;
    EventPump& m_pump;
    WhoisServices m_services;
    bool m_loaded = false;
    bool m_listUnregistered = false;
};

} // namespace ostrevo
