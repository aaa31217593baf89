// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// What a lookup asks about: registries register domains, not hosts, so
// "www.x.com", "x.com" and "blog.x.com" are one lookup of "x.com".

#include <string>
#include <vector>

namespace ostrevo {

// The registered domain of each host that has one (checked DNS names only),
// each once, in the order of their first host.
std::vector<std::string> registeredDomainsOf(const std::vector<std::string>& hosts);

} // namespace ostrevo
