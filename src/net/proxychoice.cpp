// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "net/proxychoice.h"

#include "textscan/hostname.h"

#include <algorithm>
#include <charconv>

namespace ostrevo {

namespace {

// Hex digits, colons and at most one dotted IPv4 tail: the characters and
// shape of an IPv6 address, without deciding every corner of its grammar.
bool looksLikeIpv6(std::string_view text)
{
    if (text.size() < 2 || text.size() > 45 || std::count(text.begin(), text.end(), ':') < 2) {
        return false;
    }
    return std::all_of(text.begin(), text.end(), [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F') || c == ':' ||
               c == '.';
    });
}

std::string lowered(std::string_view text)
{
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    return out;
}

template <typename T> std::optional<T> refuse(std::string* why, std::string reason)
{
    if (why != nullptr) {
        *why = std::move(reason);
    }
    return std::nullopt;
}

} // namespace

std::string proxyAddress(std::string_view host, int port)
{
    const bool ipv6 = host.find(':') != std::string_view::npos;
    return (ipv6 ? "[" + std::string(host) + "]" : std::string(host)) + ":" + std::to_string(port);
}

std::optional<std::string> checkedProxyHost(std::string_view text, std::string* why)
{
    if (text.empty()) {
        return refuse<std::string>(why, "Enter the proxy's host name or address");
    }
    if (text.size() > 2 && text.front() == '[' && text.back() == ']') {
        text = text.substr(1, text.size() - 2);
    }
    if (looksLikeIpv6(text)) {
        return lowered(text);
    }
    std::string host = checkedHostName(text);
    if (host.empty()) {
        return refuse<std::string>(why,
                                   "Not a host name or an IP address: letters, digits, hyphens and dots");
    }
    return host;
}

std::optional<int> checkedPort(std::string_view text, std::string* why)
{
    int port = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), port);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || port < 1 ||
        port > 65535) {
        return refuse<int>(why, "A port is a number from 1 to 65535");
    }
    return port;
}

std::optional<std::string> checkedHostAndPort(std::string_view text, std::string* why)
{
    const std::size_t colon = text.rfind(':');
    const std::string_view hostPart = colon == std::string_view::npos ? text : text.substr(0, colon);
    std::string host = checkedHostName(hostPart);
    if (host.empty()) {
        return refuse<std::string>(
            why, "Not a host name: letters, digits, hyphens and dots, with :port if needed");
    }
    if (colon == std::string_view::npos) {
        return host;
    }
    const std::optional<int> port = checkedPort(text.substr(colon + 1), why);
    if (!port) {
        return std::nullopt;
    }
    return host + ":" + std::to_string(*port);
}

std::string proxyFailureText(ProxyFailure failure, std::string_view address)
{
    const std::string proxy = "The proxy " + std::string(address);
    switch (failure) {
    case ProxyFailure::None:
        break;
    case ProxyFailure::Refused:
        return proxy + " refused the connection";
    case ProxyFailure::Unreachable:
        return proxy + " cannot be reached";
    case ProxyFailure::NeedsCredentials:
        return proxy + " asks for a user name and password: enter them in Preferences, Network";
    case ProxyFailure::CredentialsRefused:
        return proxy + " refused the user name and password";
    }
    return {};
}

} // namespace ostrevo
