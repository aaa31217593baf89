// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// Which proxy everything the program loads goes through, the checks of the
// fields a user types for it, and the one message a failing proxy gives.

#include "platform/proxyfailure.h"

#include <optional>
#include <string>
#include <string_view>

namespace ostrevo {

enum class ProxyMode { System, None, Manual };
enum class ProxyKind { Http, Socks5 };

struct ProxyChoice {
    ProxyMode mode = ProxyMode::System;
    ProxyKind kind = ProxyKind::Http;
    std::string host; // a DNS name or an IP address, checked
    int port = 3128;
    std::string user; // empty: the proxy is asked without credentials

    bool operator==(const ProxyChoice&) const = default;
};

// "proxy.example.org:3128", "[2001:db8::1]:1080".
std::string proxyAddress(std::string_view host, int port);

// The host as the proxy's address (lower-cased), or nothing with the reason
// in `why`: a DNS name, an IPv4 address or an IPv6 address (with or without
// brackets).
std::optional<std::string> checkedProxyHost(std::string_view text, std::string* why);
// A TCP port from 1 to 65535 in decimal digits, or nothing with the reason.
std::optional<int> checkedPort(std::string_view text, std::string* why);
// "host" or "host:port" as a whois service names it, or nothing with the reason.
std::optional<std::string> checkedHostAndPort(std::string_view text, std::string* why);

// "The proxy proxy.example.org:3128 refused the connection"; empty for None.
std::string proxyFailureText(ProxyFailure failure, std::string_view address);

} // namespace ostrevo
