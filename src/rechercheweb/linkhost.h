// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// Recognising links and taking their host, shared by link extraction and the
// hand-over. "https://" counts exactly like "http://". All searches are
// case-sensitive.

#include <string>
#include <string_view>

namespace ostrevo {

// `text` with every scheme written with capitals ("HTTPS://", "Http://") in
// lower case, and the host after it too, so that such a link is found like
// any other. Links with a lower-case scheme keep their host's letter case.
std::string withLowerCaseSchemes(std::string_view text);

// Contains ".com", ".net" or ".org" anywhere (not only at the end).
bool containsDomainMark(std::string_view text);

// The text between the first "http://" or "https://" and the next "/" after
// it; empty when there is no scheme or no "/" follows it.
std::string_view hostAfterScheme(std::string_view text);

// The host of a text that ends in "/": the host after the first scheme, or,
// when that is blank, the text before the first "/". Never trimmed.
std::string_view hostCandidate(std::string_view textEndingInSlash);

// The host part of a URL's authority (what stands between "//" and the path):
// up to a "?" or "#", after the last "@", without a ":port". Not checked.
std::string_view authorityHost(std::string_view authority);

} // namespace ostrevo
