// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "lookup/whoisservices.h"

namespace ostrevo {

namespace {
// Public whois pages of two registrars; change them here only.
constexpr std::string_view kFirstWhoisHost = "www.networksolutions.com";
constexpr std::string_view kSecondWhoisHost = "www.gandi.net";
} // namespace

WhoisServices defaultWhoisServices()
{
    return {{std::string(kFirstWhoisHost), "/cgi-bin/whois/whois?SearchType=do&STRING="},
            {std::string(kSecondWhoisHost), "/whois?l=FR&domain="}};
}

bool servesTld(std::string_view tld)
{
    return tld == "com" || tld == "net" || tld == "org";
}

bool usesSecondService(int hostIndex, bool lastAnswerRefused)
{
    return hostIndex % 10 == 0 || lastAnswerRefused;
}

std::string whoisUrl(const WhoisService& service, std::string_view hostName)
{
    static constexpr char Hex[] = "0123456789ABCDEF";
    std::string url;
    url.reserve(7 + service.host.size() + service.pathAndQuery.size() + hostName.size());
    url.append("http://").append(service.host).append(service.pathAndQuery);
    for (const char c : hostName) {
        const auto byte = static_cast<unsigned char>(c);
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
            c == '.' || c == '_' || c == '~') {
            url.push_back(c);
        } else {
            url.append({'%', Hex[byte >> 4], Hex[byte & 15]});
        }
    }
    return url;
}

} // namespace ostrevo
