// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "expired/whoisservices.h"

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

bool usesSecondService(int hostIndex, bool lastAnswerRefused)
{
    return hostIndex % 10 == 0 || lastAnswerRefused;
}

std::string whoisUrl(const WhoisService& service, std::string_view hostName)
{
    std::string url;
    url.reserve(7 + service.host.size() + service.pathAndQuery.size() + hostName.size());
    url.append("http://").append(service.host).append(service.pathAndQuery).append(hostName);
    return url;
}

} // namespace ostrevo
