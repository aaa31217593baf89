// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "rechercheweb/linkhost.h"

#include "net/registereddomain.h"
#include "textscan/hostname.h"
#include "textscan/textkey.h"
#include "textscan/textscan.h"

namespace ostrevo {
namespace {

constexpr std::string_view HttpScheme = "http://";
constexpr std::string_view HttpsScheme = "https://";

bool startsWithNoCase(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() && asciiLower(text.substr(0, prefix.size())) == prefix;
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

std::string percentDecoded(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const int high = text[i] == '%' && i + 2 < text.size() ? hexValue(text[i + 1]) : -1;
        const int low = high >= 0 ? hexValue(text[i + 2]) : -1;
        if (low >= 0) {
            out.push_back(static_cast<char>(high * 16 + low));
            i += 2;
        } else {
            out.push_back(text[i]);
        }
    }
    return out;
}

} // namespace

std::string_view hostAfterScheme(std::string_view text)
{
    const std::int32_t http = FindMarker(text, HttpScheme, 1);
    const std::int32_t https = FindMarker(text, HttpsScheme, 1);
    if (http == 0 && https == 0) {
        return {};
    }
    const bool useHttps = http == 0 || (https != 0 && https < http);
    std::int32_t cursor = useHttps ? https : http;
    return TextBetween(text, useHttps ? HttpsScheme : HttpScheme, "/", cursor);
}

std::string_view hostCandidate(std::string_view textEndingInSlash)
{
    const std::string_view host = hostAfterScheme(textEndingInSlash);
    if (!isBlank(host)) {
        return host;
    }
    return textEndingInSlash.substr(0, textEndingInSlash.find('/'));
}

std::string_view authorityHost(std::string_view authority)
{
    authority = authority.substr(0, authority.find_first_of("?#"));
    if (const std::size_t at = authority.rfind('@'); at != std::string_view::npos) {
        authority.remove_prefix(at + 1);
    }
    const std::size_t colon = authority.rfind(':');
    if (colon != std::string_view::npos &&
        authority.find_first_not_of("0123456789", colon + 1) == std::string_view::npos) {
        authority = authority.substr(0, colon);
    }
    return authority;
}

std::string urlHost(std::string_view url)
{
    std::size_t rest = 0;
    if (startsWithNoCase(url, HttpsScheme)) {
        rest = HttpsScheme.size();
    } else if (startsWithNoCase(url, HttpScheme)) {
        rest = HttpScheme.size();
    } else {
        return {};
    }
    const std::string_view authority = url.substr(rest, url.find_first_of("/?#\\", rest) - rest);
    return checkedHostName(authorityHost(authority));
}

std::string ownDomainOf(std::string_view urlHead)
{
    return registeredDomain(urlHost(urlHead));
}

bool isOwnHost(std::string_view host, std::string_view ownDomain)
{
    if (ownDomain.empty() || !host.ends_with(ownDomain)) {
        return false;
    }
    return host.size() == ownDomain.size() || host[host.size() - ownDomain.size() - 1] == '.';
}

std::string targetHost(std::string_view url, std::string_view ownDomain)
{
    std::string host = urlHost(url);
    if (!isOwnHost(host, ownDomain)) {
        return host;
    }
    const std::size_t question = url.find('?');
    if (question == std::string_view::npos) {
        return {};
    }
    std::string_view query = url.substr(question + 1);
    query = query.substr(0, query.find('#'));
    while (!query.empty()) {
        const std::size_t amp = query.find('&');
        const std::string_view parameter = query.substr(0, amp);
        query = amp == std::string_view::npos ? std::string_view() : query.substr(amp + 1);
        const std::size_t equals = parameter.find('=');
        if (equals == std::string_view::npos) {
            continue;
        }
        // One step only: an address that leads back to the engine is no result.
        std::string named = urlHost(percentDecoded(parameter.substr(equals + 1)));
        if (!named.empty() && !isOwnHost(named, ownDomain)) {
            return named;
        }
    }
    return {};
}

} // namespace ostrevo
