// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// A bare TCP server on 127.0.0.1 for answers a well-behaved HTTP library will
// not give: a connection closed with a reset, a reply that never comes.

#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <arpa/inet.h>

#include <atomic>
#include <cerrno>
#include <functional>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace ostrevo::test {

class RawLoopbackServer {
public:
    enum class Kind { Reply, Reset, Stall };
    struct Answer {
        Kind kind = Kind::Reply;
        std::string bytes; // the whole reply, status line included
    };
    // Chooses the answer from the request's path and query.
    using Handler = std::function<Answer(const std::string& pathAndQuery)>;

    static Answer reply(int status, const std::string& contentType, const std::string& body)
    {
        return {Kind::Reply, "HTTP/1.1 " + std::to_string(status) + " X\r\nContent-Type: " + contentType +
                                 "\r\nContent-Length: " + std::to_string(body.size()) +
                                 "\r\nConnection: close\r\n\r\n" + body};
    }

    explicit RawLoopbackServer(Handler handler) : m_handler(std::move(handler))
    {
        m_listener = ::socket(AF_INET, SOCK_STREAM, 0);
        if (m_listener < 0) {
            throw std::runtime_error("socket");
        }
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = 0;
        socklen_t length = sizeof address;
        if (::bind(m_listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
            ::listen(m_listener, 16) != 0 ||
            ::getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
            throw std::runtime_error("bind");
        }
        m_port = ntohs(address.sin_port);
        m_acceptor = std::thread([this] { acceptLoop(); });
    }
    ~RawLoopbackServer()
    {
        m_stop = true;
        m_acceptor.join();
        for (std::thread& connection : m_connections) {
            connection.join();
        }
        ::close(m_listener);
    }
    RawLoopbackServer(const RawLoopbackServer&) = delete;
    RawLoopbackServer& operator=(const RawLoopbackServer&) = delete;

    int port() const { return m_port; }
    std::string hostAndPort() const { return "127.0.0.1:" + std::to_string(m_port); }
    std::vector<std::string> requests() const
    {
        const std::lock_guard lock(m_mutex);
        return m_requests;
    }

private:
    // Waits for `fd` to be readable, giving up when the server stops.
    bool readable(int fd)
    {
        while (!m_stop) {
            pollfd p{fd, POLLIN, 0};
            if (::poll(&p, 1, 50) > 0) {
                return true;
            }
        }
        return false;
    }

    bool writable(int fd)
    {
        while (!m_stop) {
            pollfd p{fd, POLLOUT, 0};
            if (::poll(&p, 1, 50) > 0) {
                return true;
            }
        }
        return false;
    }

    void acceptLoop()
    {
        while (readable(m_listener)) {
            const int fd = ::accept(m_listener, nullptr, nullptr);
            if (fd >= 0) {
                m_connections.emplace_back([this, fd] { serve(fd); });
            }
        }
    }

    void serve(int fd)
    {
        std::string request;
        char chunk[4096];
        while (request.find("\r\n\r\n") == std::string::npos && readable(fd)) {
            const ssize_t got = ::recv(fd, chunk, sizeof chunk, 0);
            if (got <= 0) {
                break;
            }
            request.append(chunk, static_cast<std::size_t>(got));
        }
        const std::size_t start = request.find(' ');
        const std::size_t end = request.find(' ', start + 1);
        if (start == std::string::npos || end == std::string::npos) {
            ::close(fd);
            return;
        }
        const std::string path = request.substr(start + 1, end - start - 1);
        {
            const std::lock_guard lock(m_mutex);
            m_requests.push_back(path);
        }
        const Answer answer = m_handler(path);
        if (answer.kind == Kind::Reset) {
            const linger abortive{1, 0};
            ::setsockopt(fd, SOL_SOCKET, SO_LINGER, &abortive, sizeof abortive);
        } else if (answer.kind == Kind::Stall) {
            while (readable(fd) && ::recv(fd, chunk, sizeof chunk, 0) > 0) {
            }
        } else {
            std::size_t sent = 0;
            // A client that stops reading must not keep the server from stopping.
            while (sent < answer.bytes.size() && writable(fd)) {
                const ssize_t n = ::send(fd, answer.bytes.data() + sent, answer.bytes.size() - sent,
                                         MSG_NOSIGNAL | MSG_DONTWAIT);
                if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
                    continue;
                }
                if (n <= 0) {
                    break;
                }
                sent += static_cast<std::size_t>(n);
            }
            ::shutdown(fd, SHUT_WR);
            // Let the client read to the end before the socket goes.
            while (readable(fd) && ::recv(fd, chunk, sizeof chunk, 0) > 0) {
            }
        }
        ::close(fd);
    }

    Handler m_handler;
    int m_listener = -1;
    int m_port = 0;
    std::atomic<bool> m_stop{false};
    std::thread m_acceptor;
    std::vector<std::thread> m_connections; // touched by the acceptor thread only, until joined
    mutable std::mutex m_mutex;
    std::vector<std::string> m_requests;
};

} // namespace ostrevo::test
