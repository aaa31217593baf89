// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// The registrars' whois sites kept in the settings ("whois/first",
// "whois/second"), host[:port].

#include "lookup/whoisservices.h"

namespace ostrevo {

// The built-in services, with the host of each that the settings name and
// that passes as a host name.
WhoisServices loadWhoisServices();
// Stores the hosts; one equal to the built-in host is removed, so that a
// later change of the built-in one reaches it.
void saveWhoisHosts(const std::string& first, const std::string& second);

} // namespace ostrevo
