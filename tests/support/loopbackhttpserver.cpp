// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "loopbackhttpserver.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>

namespace ostrevo::test {
namespace {

std::string pathAndQueryOf(const httplib::Request& request)
{
    std::string text = request.path;
    char joiner = '?';
    for (const auto& [name, value] : request.params) {
        text += joiner;
        text += name + "=" + value;
        joiner = '&';
    }
    return text;
}

} // namespace

void answerUncompressed(httplib::Server& server)
{
    server.set_pre_routing_handler([](const httplib::Request& request, httplib::Response&) {
        // The request is the server's own mutable object, handed on as const.
        const_cast<httplib::Request&>(request).headers.erase("Accept-Encoding");
        return httplib::Server::HandlerResponse::Unhandled;
    });
}

LoopbackHttpServer::~LoopbackHttpServer()
{
    stop();
}

void LoopbackHttpServer::get(const std::string& pattern, httplib::Server::Handler handler)
{
    m_server.Get(pattern, std::move(handler));
}

void LoopbackHttpServer::post(const std::string& pattern, httplib::Server::Handler handler)
{
    m_server.Post(pattern, std::move(handler));
}

void LoopbackHttpServer::serve(const std::string& path, std::string body, std::string contentType, int status)
{
    m_server.Get(path, [body = std::move(body), contentType = std::move(contentType),
                        status](const httplib::Request&, httplib::Response& response) {
        response.status = status;
        response.set_content(body, contentType.c_str());
    });
}

void LoopbackHttpServer::start()
{
    answerUncompressed(m_server);
    m_server.set_logger([this](const httplib::Request& request, const httplib::Response&) {
        const std::lock_guard lock(m_mutex);
        m_requests.push_back(pathAndQueryOf(request));
    });
    // One request per connection: stop() then need not wait for idle
    // keep-alive connections to time out.
    m_server.set_keep_alive_max_count(1);
    m_port = m_server.bind_to_any_port("127.0.0.1");
    if (m_port <= 0) {
        throw std::runtime_error("loopback server: no port to bind");
    }
    m_thread = std::thread([this] { m_server.listen_after_bind(); });
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!m_server.is_running()) {
        if (std::chrono::steady_clock::now() > giveUp) {
            throw std::runtime_error("loopback server did not start");
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

void LoopbackHttpServer::stop()
{
    if (m_thread.joinable()) {
        m_server.stop();
        m_thread.join();
    }
}

std::string LoopbackHttpServer::url(const std::string& pathAndQuery) const
{
    return "http://127.0.0.1:" + std::to_string(m_port) + pathAndQuery;
}

std::vector<std::string> LoopbackHttpServer::requests() const
{
    const std::lock_guard lock(m_mutex);
    return m_requests;
}

std::string LoopbackHttpServer::refusedUrl(const std::string& pathAndQuery)
{
    // Bind a port, then close it: nothing listens there afterwards (another
    // program taking it in between is unlikely on a test machine).
    const int socketFd = ::socket(AF_INET, SOCK_STREAM, 0);
    if (socketFd < 0) {
        throw std::runtime_error("loopback server: no socket");
    }
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    socklen_t length = sizeof(address);
    auto* raw = reinterpret_cast<sockaddr*>(&address);
    if (::bind(socketFd, raw, sizeof(address)) != 0 || ::getsockname(socketFd, raw, &length) != 0) {
        ::close(socketFd);
        throw std::runtime_error("loopback server: cannot find a free port");
    }
    const int port = ntohs(address.sin_port);
    ::close(socketFd);
    return "http://127.0.0.1:" + std::to_string(port) + pathAndQuery;
}

} // namespace ostrevo::test
