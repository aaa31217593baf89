// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "net/proxychoice.h"

#include <gtest/gtest.h>

namespace ostrevo {
namespace {

TEST(ProxyChoice, HostsAndPortsAreCheckedWithAReason)
{
    struct Case {
        const char* text;
        const char* host; // nullptr: refused
    };
    const Case hosts[] = {
        {"Proxy.Example.org", "proxy.example.org"},
        {"10.0.0.1", "10.0.0.1"},
        {"[2001:DB8::1]", "2001:db8::1"},
        {"::1", "::1"},
        {"", nullptr},
        {"proxy example", nullptr},
        {"http://proxy.example", nullptr},
        {"-proxy.example", nullptr},
        {"proxy.example:3128", nullptr},
        {"a..b", nullptr},
    };
    for (const Case& c : hosts) {
        std::string why;
        const std::optional<std::string> host = checkedProxyHost(c.text, &why);
        EXPECT_EQ(host.value_or("refused"), c.host ? c.host : "refused") << c.text;
        EXPECT_EQ(why.empty(), c.host != nullptr) << c.text;
    }
    for (const char* bad : {"", "0", "65536", "80a", "-1", " 80", "99999999999"}) {
        std::string why;
        EXPECT_FALSE(checkedPort(bad, &why)) << bad;
        EXPECT_EQ(why, "A port is a number from 1 to 65535");
    }
    EXPECT_EQ(checkedPort("65535", nullptr), 65535);
    EXPECT_EQ(checkedHostAndPort("Whois.Example:8080", nullptr), "whois.example:8080");
    EXPECT_EQ(checkedHostAndPort("whois.example", nullptr), "whois.example");
    for (const char* bad : {"whois.example:", "whois.example:0", "who is.example", "", "whois.example/x"}) {
        EXPECT_FALSE(checkedHostAndPort(bad, nullptr)) << bad;
    }
}

TEST(ProxyChoice, EveryFailureNamesTheProxy)
{
    EXPECT_EQ(proxyAddress("2001:db8::1", 1080), "[2001:db8::1]:1080");
    EXPECT_EQ(proxyFailureText(ProxyFailure::Refused, proxyAddress("proxy.example.org", 3128)),
              "The proxy proxy.example.org:3128 refused the connection");
    for (const ProxyFailure failure : {ProxyFailure::Refused, ProxyFailure::Unreachable,
                                       ProxyFailure::NeedsCredentials, ProxyFailure::CredentialsRefused}) {
        EXPECT_EQ(proxyFailureText(failure, "p:1").rfind("The proxy p:1 ", 0), 0U);
    }
    EXPECT_EQ(proxyFailureText(ProxyFailure::None, "p:1"), "");
}

} // namespace
} // namespace ostrevo
