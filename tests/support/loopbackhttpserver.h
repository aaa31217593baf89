// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// An HTTP server on 127.0.0.1 and a port the system picks, answering from a
// background thread with the handlers the test registered before start().

#include <httplib.h>

#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace ostrevo::test {

// Makes `server` ignore the client's Accept-Encoding. The library compresses
// text for browsers that accept brotli at its slowest setting, about two
// seconds of CPU per megabyte, which would swamp every timing.
void answerUncompressed(httplib::Server& server);

class LoopbackHttpServer {
public:
    LoopbackHttpServer() = default;
    ~LoopbackHttpServer();
    LoopbackHttpServer(const LoopbackHttpServer&) = delete;
    LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;

    // Register before start(): the handler runs on the server's thread.
    void get(const std::string& pattern, httplib::Server::Handler handler);
    void post(const std::string& pattern, httplib::Server::Handler handler);
    // A fixed answer for one path.
    void serve(const std::string& path, std::string body,
               std::string contentType = "text/html; charset=utf-8", int status = 200);

    // Binds and returns once the server accepts connections; throws on failure.
    void start();
    void stop();

    int port() const { return m_port; }
    // "http://127.0.0.1:<port>" followed by `pathAndQuery` ("/x?y=1").
    std::string url(const std::string& pathAndQuery) const;
    // Every request so far, as path and query ("/whois?domain=a.com").
    std::vector<std::string> requests() const;

    // A loopback URL on a port nobody listens on: connecting is refused.
    static std::string refusedUrl(const std::string& pathAndQuery = "/");

private:
    httplib::Server m_server;
    std::thread m_thread;
    int m_port = 0;
    mutable std::mutex m_mutex;
    std::vector<std::string> m_requests;
};

} // namespace ostrevo::test
