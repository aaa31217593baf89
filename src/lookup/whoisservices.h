// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// The two registrars' whois web pages the lookup run asks, and which one a
// host goes to.

#include <string>
#include <string_view>

namespace ostrevo {

struct WhoisService {
    std::string host;         // host[:port] answering plain HTTP
    std::string pathAndQuery; // the host name being looked up is appended to it
};

struct WhoisServices {
    WhoisService first;
    WhoisService second;
};

// The registrars the program asks by default. Tests hand in loopback ones.
WhoisServices defaultWhoisServices();

// The registrars' whois pages answer for these TLDs only; RDAP serves the rest.
bool servesTld(std::string_view tld);

// The second service takes hosts 0, 10, 20, ... and every host after a refusal.
bool usesSecondService(int hostIndex, bool lastAnswerRefused);

// "http://" + service host + path and query + the host name, percent-encoded
// (only letters, digits and "-._~" stand as they are).
std::string whoisUrl(const WhoisService& service, std::string_view hostName);

} // namespace ostrevo
