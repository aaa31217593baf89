// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// Which RDAP server answers for which top-level domain, read from a bootstrap
// file in IANA's format: {"services": [[["com", "net"], ["https://..."]], ...]}.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace ostrevo {

inline constexpr std::string_view RdapServersFileName = "rdap-dns.json";
inline constexpr std::string_view RdapServersUpdateUrl = "https://data.iana.org/rdap/dns.json";
// IANA's file is about 40 kB.
inline constexpr std::size_t MaxRdapBootstrapBytes = 4 * 1024 * 1024;

class RdapServers {
public:
    // The base URL (ending in '/') of the server for `host`, by the longest
    // matching domain suffix; empty when no service covers it.
    std::string baseFor(std::string_view host) const;
    std::size_t size() const { return m_bases.size(); }

    void add(std::string suffix, std::string base);

private:
    std::unordered_map<std::string, std::string> m_bases; // lower-case suffix, no dots at the ends
};

// Nothing unless `text` is a bootstrap file: JSON within the size limit, a
// "services" list of [[suffix, ...], [url, ...]] pairs of strings, every URL
// http or https, and at least one service. A service's base is its first https
// URL, else its first http URL.
std::optional<RdapServers> readRdapBootstrap(std::string_view text);

// base + "domain/" + host; empty when the host is not a plain DNS name
// (letters, digits, '-', '.', at most 253 bytes), so nothing else reaches a URL.
std::string rdapDomainUrl(std::string_view base, std::string_view host);

} // namespace ostrevo
