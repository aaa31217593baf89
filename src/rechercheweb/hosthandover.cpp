// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "rechercheweb/hosthandover.h"

#include "rechercheweb/linkhost.h"

#include <unordered_set>

namespace ostrevo {
namespace {

// The host of every entry that has one, in list order, repeats included.
std::vector<std::string> hostsWithRepeats(const UrlList& urls, const AsciiHostConverter& toAscii,
                                          const TldFilter& tlds)
{
    std::vector<std::string> hosts;
    hosts.reserve(static_cast<std::size_t>(urls.count()));
    std::string text;
    urls.forEachEntry([&](const std::string& entry, bool) {
        text = entry;
        for (char& ch : text) {
            if (ch >= 'A' && ch <= 'Z') {
                ch = static_cast<char>(ch - 'A' + 'a');
            }
        }
        text.push_back('/');
        std::string host = checkedHostName(authorityHost(hostCandidate(text)), toAscii);
        if (tlds.accepts(host)) {
            hosts.push_back(std::move(host));
        }
    });
    return hosts;
}

} // namespace

std::vector<std::string> finishHosts(const UrlList& urls, const TextKeyFunction& caseFoldKey,
                                     const AsciiHostConverter& toAscii, const TldFilter& tlds)
{
    const TextKeyFunction& key = caseFoldKey ? caseFoldKey : TextKeyFunction(asciiLower);
    std::vector<std::string> hosts;
    std::unordered_set<std::string> seen;
    for (std::string& host : hostsWithRepeats(urls, toAscii, tlds)) {
        if (seen.insert(key(host)).second) {
            hosts.push_back(std::move(host));
        }
    }
    return hosts;
}

void reduceToHosts(UrlList& urls, const AsciiHostConverter& toAscii, const TldFilter& tlds)
{
    // The list leaves out repeats (by its own case-fold key) as it fills.
    urls.assign(hostsWithRepeats(urls, toAscii, tlds));
}

} // namespace ostrevo
