// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// An HTTP proxy on 127.0.0.1 and a port the system picks, on threads of its
// own: plain GET with an absolute URL, and CONNECT tunnels. Whatever host a
// request names, it reaches the one loopback port the test gives, so that
// made-up names ("rdap.example") stand for servers on this machine.

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace ostrevo::test {

class LoopbackProxy {
public:
    explicit LoopbackProxy(int targetPort);
    ~LoopbackProxy();
    LoopbackProxy(const LoopbackProxy&) = delete;
    LoopbackProxy& operator=(const LoopbackProxy&) = delete;

    // From now on a request without these (Basic) gets 407.
    void requireCredentials(const std::string& user, const std::string& password);

    int port() const { return m_port; }
    // Every request forwarded, as "GET http://host/path" or "CONNECT host:443".
    std::vector<std::string> requests() const;
    // How many requests got 407.
    int credentialAsks() const { return m_asks; }

private:
    void acceptLoop();
    void serve(int client);

    int m_listener = -1;
    int m_port = 0;
    int m_targetPort = 0;
    std::atomic<bool> m_stopping{false};
    std::atomic<int> m_asks{0};
    std::thread m_acceptor;
    mutable std::mutex m_mutex;
    std::string m_expectedAuthorization;
    std::vector<std::string> m_requests;
    std::vector<std::thread> m_connections;
};

} // namespace ostrevo::test
