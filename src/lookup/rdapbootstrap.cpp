// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "lookup/rdapbootstrap.h"

#include "lookup/boundedjson.h"
#include "textscan/textscan.h"

#include <algorithm>

namespace ostrevo {

namespace {

using nlohmann::json;

constexpr int MaxBootstrapDepth = 8;

std::string lowerWithoutEndDots(std::string_view name)
{
    while (!name.empty() && name.front() == '.') {
        name.remove_prefix(1);
    }
    while (!name.empty() && name.back() == '.') {
        name.remove_suffix(1);
    }
    std::string lower(name);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    return lower;
}

bool isPlainName(std::string_view name)
{
    return !name.empty() && name.size() <= 253 && std::all_of(name.begin(), name.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
               c == '.';
    });
}

// "https://host[:port]/path": an http(s) scheme, a host, no blanks or control bytes.
bool isServerUrl(std::string_view url, bool& secure)
{
    const std::size_t schemeEnd = url.find("://");
    if (schemeEnd == std::string_view::npos || url.size() > 2048) {
        return false;
    }
    const std::string scheme = lowerWithoutEndDots(url.substr(0, schemeEnd));
    const std::size_t host = schemeEnd + 3;
    if ((scheme != "https" && scheme != "http") || host >= url.size() || url[host] == '/') {
        return false;
    }
    secure = scheme == "https";
    return std::none_of(url.begin(), url.end(), [](char c) { return c == ' ' || IsControlChar(c); });
}

bool isStringList(const json& list)
{
    return list.is_array() &&
           std::all_of(list.begin(), list.end(), [](const json& s) { return s.is_string(); });
}

} // namespace

void RdapServers::add(std::string suffix, std::string base)
{
    if (!base.empty() && base.back() != '/') {
        base += '/';
    }
    m_bases.emplace(lowerWithoutEndDots(suffix), std::move(base));
}

std::string RdapServers::baseFor(std::string_view host) const
{
    const std::string name = lowerWithoutEndDots(host);
    for (std::size_t start = 0; start < name.size();) {
        if (const auto found = m_bases.find(name.substr(start)); found != m_bases.end()) {
            return found->second;
        }
        const std::size_t dot = name.find('.', start);
        if (dot == std::string::npos) {
            break;
        }
        start = dot + 1;
    }
    return {};
}

std::optional<RdapServers> readRdapBootstrap(std::string_view text)
{
    const std::optional<json> parsed = parseBoundedJson(text, MaxRdapBootstrapBytes, MaxBootstrapDepth);
    if (!parsed || !parsed->is_object()) {
        return std::nullopt;
    }
    const auto services = parsed->find("services");
    if (services == parsed->end() || !services->is_array()) {
        return std::nullopt;
    }
    RdapServers servers;
    for (const json& service : *services) {
        if (!service.is_array() || service.size() < 2 || !isStringList(service[0]) ||
            !isStringList(service[1])) {
            return std::nullopt;
        }
        std::string base;
        bool baseSecure = false;
        for (const json& url : service[1]) {
            bool secure = false;
            if (!isServerUrl(url.get_ref<const std::string&>(), secure)) {
                return std::nullopt;
            }
            if (base.empty() || (secure && !baseSecure)) {
                base = url.get<std::string>();
                baseSecure = secure;
            }
        }
        if (base.empty()) {
            continue;
        }
        for (const json& suffix : service[0]) {
            if (isPlainName(suffix.get_ref<const std::string&>())) {
                servers.add(suffix.get<std::string>(), base);
            }
        }
    }
    if (servers.size() == 0) {
        return std::nullopt;
    }
    return servers;
}

std::string rdapDomainUrl(std::string_view base, std::string_view host)
{
    if (base.empty() || !isPlainName(host)) {
        return {};
    }
    std::string url(base);
    if (url.back() != '/') {
        url += '/';
    }
    url.append("domain/").append(host);
    return url;
}

} // namespace ostrevo
