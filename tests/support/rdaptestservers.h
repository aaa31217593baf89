// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// A loopback RDAP registry and its registrars, each a server of its own. What
// the registry answers for a host depends on the host's first label:
//   mail-*      related link; the registrar gives the registrant's e-mail "owner@<host>"
//   privacy-*   related link; the registrar gives a privacy service's address
//   form-*      related link; the registrar withholds the e-mail, gives a contact-uri form
//   member-*    related link; the registrar puts a form in a "contact_URI" member
//   cases-*     related link; role "REGISTRANT", dates with "+0000" and with no zone
//   noexpiry-*  no expiration event, no related link
//   gone-*      404 without a body      missing-*   404 with an RDAP error object
//   busy-*      429 with Retry-After: 1 the first time, then as mail-*
//   error-*     500                     stall-*     no answer until the server stops
//   malformed-* broken JSON             huge-*      a 5 MB answer
//   html-*      a text/html login page
//   anything else: as mail-*

#include "loopbackhttpserver.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <vector>

namespace ostrevo::test {

class RdapTestServers {
public:
    // Every answer comes `delayMs` after its request.
    explicit RdapTestServers(int registrars = 1, int delayMs = 0);
    ~RdapTestServers();

    // A bootstrap file sending com, net and org to the registry.
    std::string bootstrap() const;
    LoopbackHttpServer& registry() { return *m_registry; }
    LoopbackHttpServer& registrar(std::size_t i) { return *m_registrars[i]; }

private:
    void answerRegistry(const std::string& host, httplib::Response& response);
    void answerRegistrar(const std::string& host, httplib::Response& response);
    void wait(int ms) const;
    bool busyFirstTime(const std::string& host);

    int m_delayMs;
    std::atomic<bool> m_stopping{false};
    std::mutex m_mutex;
    std::set<std::string> m_busyOnce;
    std::unique_ptr<LoopbackHttpServer> m_registry;
    std::vector<std::unique_ptr<LoopbackHttpServer>> m_registrars;
};

} // namespace ostrevo::test
