// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// Which domain a registry registered for a host, by the Public Suffix List
// (libpsl and the list Debian ships). Only the list's ICANN section counts:
// it names the suffixes registries hand out, and so what a TLD is. Hosts are
// lower-case DNS names, international ones in their ASCII form.

#include <string>
#include <string_view>

namespace ostrevo {

// The host's last label: "com" for "www.example.com".
std::string_view topLevelDomain(std::string_view host);

// One label more than the host's longest ICANN public suffix:
// "www.example.co.uk" gives "example.co.uk". Empty when the host is a public
// suffix itself, or when its TLD is not in the list ("www.bing.comfacebook").
std::string registeredDomain(std::string_view host);

} // namespace ostrevo
