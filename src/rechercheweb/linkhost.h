// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// Recognising links and taking their host, shared by link extraction and the
// hand-over. "https://" counts exactly like "http://". All searches are
// case-sensitive.

#include <string>
#include <string_view>

namespace ostrevo {

// The text between the first "http://" or "https://" and the next "/" after
// it; empty when there is no scheme or no "/" follows it.
std::string_view hostAfterScheme(std::string_view text);

// The host of a text that ends in "/": the host after the first scheme, or,
// when that is blank, the text before the first "/". Never trimmed.
std::string_view hostCandidate(std::string_view textEndingInSlash);

// The host part of a URL's authority (what stands between "//" and the path):
// up to a "?" or "#", after the last "@", without a ":port". Not checked.
std::string_view authorityHost(std::string_view authority);

// The checked host of an http or https URL (its scheme in any letter case);
// empty for any other URL.
std::string urlHost(std::string_view url);

// The registered domain of a catalogue URL head's host: the engine's own.
std::string ownDomainOf(std::string_view urlHead);

// `host` (a checked name) is `ownDomain` or lies under it; never when
// `ownDomain` is empty.
bool isOwnHost(std::string_view host, std::string_view ownDomain);

// The host a link's target leads to: the URL's host, or, when that host is
// the engine's own, the host of the http or https address one of its query
// parameters carries percent-encoded (a redirect such as
// "/url?q=https%3A%2F%2Fexample.com%2F"). Empty when it leads nowhere else.
std::string targetHost(std::string_view url, std::string_view ownDomain);

} // namespace ostrevo
