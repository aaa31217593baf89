// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "rechercheweb/linkhost.h"

#include "rechercheweb/textkey.h"
#include "textscan/textscan.h"

namespace ostrevo {
namespace {

constexpr std::string_view HttpScheme = "http://";
constexpr std::string_view HttpsScheme = "https://";

} // namespace

bool containsLinkScheme(std::string_view text)
{
    return text.find(HttpScheme) != std::string_view::npos ||
           text.find(HttpsScheme) != std::string_view::npos;
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

} // namespace ostrevo
