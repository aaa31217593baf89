// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "rechercheweb/linkhost.h"

#include "textscan/textkey.h"
#include "textscan/textscan.h"

namespace ostrevo {
namespace {

constexpr std::string_view HttpScheme = "http://";
constexpr std::string_view HttpsScheme = "https://";

char lowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Where a scheme ending at `colon` ("http" or "https", any letter case) starts; npos if none does.
std::size_t schemeStart(std::string_view text, std::size_t colon)
{
    for (const std::string_view scheme : {HttpsScheme.substr(0, 5), HttpScheme.substr(0, 4)}) {
        if (colon < scheme.size()) {
            continue;
        }
        const std::size_t start = colon - scheme.size();
        bool same = true;
        for (std::size_t i = 0; i < scheme.size() && same; ++i) {
            same = lowerAscii(text[start + i]) == scheme[i];
        }
        if (same) {
            return start;
        }
    }
    return std::string_view::npos;
}

} // namespace

std::string withLowerCaseSchemes(std::string_view text)
{
    std::string out(text);
    for (std::size_t colon = out.find("://"); colon != std::string::npos;
         colon = out.find("://", colon + 3)) {
        const std::size_t start = schemeStart(out, colon);
        if (start == std::string::npos ||
            out.compare(start, colon - start, HttpsScheme, 0, colon - start) == 0) {
            continue;
        }
        std::size_t end = colon + 3;
        while (end < out.size() &&
               std::string_view("/\t\n\r ,;\"").find(out[end]) == std::string_view::npos) {
            ++end;
        }
        for (std::size_t i = start; i < end; ++i) {
            out[i] = lowerAscii(out[i]);
        }
    }
    return out;
}

bool containsDomainMark(std::string_view text)
{
    return text.find(".com") != std::string_view::npos || text.find(".net") != std::string_view::npos ||
           text.find(".org") != std::string_view::npos;
}

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

} // namespace ostrevo
