// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// Recognising links and taking their host, shared by link extraction and the
// hand-over. "https://" counts exactly like "http://". All searches are
// case-sensitive.

#include <string_view>

namespace ostrevo {

// Contains "http://" or "https://".
bool containsLinkScheme(std::string_view text);

// Contains ".com", ".net" or ".org" anywhere (not only at the end).
bool containsDomainMark(std::string_view text);

// The text between the first "http://" or "https://" and the next "/" after
// it; empty when there is no scheme or no "/" follows it.
std::string_view hostAfterScheme(std::string_view text);

// The host of a text that ends in "/": the host after the first scheme, or,
// when that is blank, the text before the first "/". Never trimmed.
std::string_view hostCandidate(std::string_view textEndingInSlash);

} // namespace ostrevo
