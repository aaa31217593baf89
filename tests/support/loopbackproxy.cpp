// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "loopbackproxy.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <stdexcept>
#include <string_view>

namespace ostrevo::test {

namespace {

std::string base64(std::string_view in)
{
    static constexpr char kDigits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    for (std::size_t i = 0; i < in.size(); i += 3) {
        const auto byte = [&](std::size_t k) {
            return k < in.size() ? static_cast<unsigned char>(in[k]) : 0U;
        };
        const unsigned n = byte(i) << 16 | byte(i + 1) << 8 | byte(i + 2);
        out += kDigits[n >> 18 & 63];
        out += kDigits[n >> 12 & 63];
        out += i + 1 < in.size() ? kDigits[n >> 6 & 63] : '=';
        out += i + 2 < in.size() ? kDigits[n & 63] : '=';
    }
    return out;
}

void sendAll(int fd, std::string_view data)
{
    while (!data.empty()) {
        const ssize_t sent = ::send(fd, data.data(), data.size(), MSG_NOSIGNAL);
        if (sent <= 0) {
            return;
        }
        data.remove_prefix(static_cast<std::size_t>(sent));
    }
}

// The request's head, up to the blank line; empty when the client went or sent too much.
std::string readHead(int fd)
{
    std::string head;
    char c = 0;
    while (head.size() < 65536 && head.find("\r\n\r\n") == std::string::npos) {
        pollfd wait{fd, POLLIN, 0};
        if (::poll(&wait, 1, 10000) <= 0 || ::recv(fd, &c, 1, 0) != 1) {
            return {};
        }
        head += c;
    }
    return head;
}

// The head's header lines but those about the connection to the proxy.
std::string endToEndHeaders(const std::string& head)
{
    std::string kept;
    std::size_t at = head.find("\r\n") + 2;
    while (at < head.size()) {
        const std::size_t end = head.find("\r\n", at);
        const std::string line = head.substr(at, end - at + 2);
        std::string name = line.substr(0, line.find(':'));
        std::transform(name.begin(), name.end(), name.begin(),
                       [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
        if (name != "connection" && name != "proxy-connection" && name != "keep-alive" &&
            name != "proxy-authorization") {
            kept += line;
        }
        at = end + 2;
    }
    return kept;
}

int connectTo(int port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// Copies both ways until either side closes (or ten seconds of silence).
void relay(int a, int b)
{
    char buffer[16384];
    for (;;) {
        pollfd fds[2] = {{a, POLLIN, 0}, {b, POLLIN, 0}};
        if (::poll(fds, 2, 10000) <= 0) {
            return;
        }
        for (int i = 0; i < 2; ++i) {
            if ((fds[i].revents & (POLLIN | POLLHUP | POLLERR)) == 0) {
                continue;
            }
            const ssize_t got = ::recv(fds[i].fd, buffer, sizeof(buffer), 0);
            if (got <= 0) {
                return;
            }
            sendAll(fds[1 - i].fd, std::string_view(buffer, static_cast<std::size_t>(got)));
        }
    }
}

} // namespace

LoopbackProxy::LoopbackProxy(int targetPort) : m_targetPort(targetPort)
{
    m_listener = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof(address);
    auto* raw = reinterpret_cast<sockaddr*>(&address);
    if (m_listener < 0 || ::bind(m_listener, raw, sizeof(address)) != 0 || ::listen(m_listener, 64) != 0 ||
        ::getsockname(m_listener, raw, &length) != 0) {
        throw std::runtime_error("loopback proxy: cannot listen");
    }
    m_port = ntohs(address.sin_port);
    m_acceptor = std::thread([this] { acceptLoop(); });
}

LoopbackProxy::~LoopbackProxy()
{
    m_stopping = true;
    m_acceptor.join();
    for (std::thread& connection : m_connections) {
        connection.join();
    }
    ::close(m_listener);
}

void LoopbackProxy::requireCredentials(const std::string& user, const std::string& password)
{
    const std::lock_guard lock(m_mutex);
    m_expectedAuthorization = "Basic " + base64(user + ":" + password);
}

std::vector<std::string> LoopbackProxy::requests() const
{
    const std::lock_guard lock(m_mutex);
    return m_requests;
}

void LoopbackProxy::acceptLoop()
{
    while (!m_stopping) {
        pollfd wait{m_listener, POLLIN, 0};
        if (::poll(&wait, 1, 50) <= 0) {
            continue;
        }
        const int client = ::accept(m_listener, nullptr, nullptr);
        if (client >= 0) {
            const std::lock_guard lock(m_mutex);
            m_connections.emplace_back([this, client] {
                serve(client);
                ::close(client);
            });
        }
    }
}

void LoopbackProxy::serve(int client)
{
    // A kept-alive connection brings one request after another.
    while (!m_stopping) {
        const std::string head = readHead(client);
        if (head.empty()) {
            return;
        }
        const std::size_t lineEnd = head.find("\r\n");
        const std::string requestLine = head.substr(0, lineEnd);
        const std::size_t space = requestLine.find(' ');
        const std::string method = requestLine.substr(0, space);
        const std::string target = requestLine.substr(space + 1, requestLine.rfind(' ') - space - 1);
        std::string expected;
        {
            const std::lock_guard lock(m_mutex);
            expected = m_expectedAuthorization;
        }
        if (!expected.empty()) {
            std::string lower = head;
            std::transform(lower.begin(), lower.end(), lower.begin(), [](char c) {
                return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
            });
            const std::size_t at = lower.find("\r\nproxy-authorization:");
            std::string given;
            if (at != std::string::npos) {
                const std::size_t from = head.find_first_not_of(' ', at + 22);
                given = head.substr(from, head.find("\r\n", from) - from);
            }
            if (given != expected) {
                ++m_asks;
                sendAll(client, "HTTP/1.1 407 Proxy Authentication Required\r\n"
                                "Proxy-Authenticate: Basic realm=\"loopback\"\r\n"
                                "Content-Length: 0\r\n\r\n");
                continue;
            }
        }
        {
            const std::lock_guard lock(m_mutex);
            m_requests.push_back(method + " " + target);
        }
        const int server = connectTo(m_targetPort);
        if (server < 0) {
            sendAll(client, "HTTP/1.1 502 Bad Gateway\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
            return;
        }
        if (method == "CONNECT") {
            sendAll(client, "HTTP/1.1 200 Connection established\r\n\r\n");
        } else {
            // The server gets the path alone, and the rest of the head as it came.
            const std::size_t scheme = target.find("://");
            const std::size_t path = scheme == std::string::npos ? 0 : target.find('/', scheme + 3);
            const std::string origin = path == std::string::npos ? "/" : target.substr(path);
            sendAll(server,
                    method + " " + origin + " HTTP/1.1\r\nConnection: close\r\n" + endToEndHeaders(head));
        }
        relay(client, server);
        ::close(server);
        return;
    }
}

} // namespace ostrevo::test
