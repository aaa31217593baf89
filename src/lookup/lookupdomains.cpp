// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "lookup/lookupdomains.h"

#include "net/registereddomain.h"
#include "textscan/hostname.h"

#include <unordered_set>

namespace ostrevo {

std::vector<std::string> registeredDomainsOf(const std::vector<std::string>& hosts)
{
    std::vector<std::string> domains;
    std::unordered_set<std::string> seen;
    for (const std::string& host : hosts) {
        std::string domain = registeredDomain(checkedHostName(host));
        if (!domain.empty() && seen.insert(domain).second) {
            domains.push_back(std::move(domain));
        }
    }
    return domains;
}

} // namespace ostrevo
