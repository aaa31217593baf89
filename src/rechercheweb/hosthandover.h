// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// Finish: the URL list reduced to the host names the expiry lookup needs.

#include "net/tldfilter.h"
#include "rechercheweb/urllist.h"
#include "textscan/hostname.h"

#include <string>
#include <vector>

namespace ostrevo {

// Every entry, ticked or not, in list order: the host after "http://" or
// "https://", or the text before the first "/", without user, port, query or
// fragment, as a checked DNS name (checkedHostName, international names
// through `toAscii`). Only hosts whose TLD `tlds` accepts are kept, each
// once; they stay as they were harvested, sub-domains included.
std::vector<std::string> finishHosts(const UrlList& urls, const TextKeyFunction& caseFoldKey = asciiLower,
                                     const AsciiHostConverter& toAscii = {}, const TldFilter& tlds = {});

// Replaces the list's entries by its finishHosts (with the list's own
// case-fold key), all unticked; in sorted mode, in alphabetical order.
void reduceToHosts(UrlList& urls, const AsciiHostConverter& toAscii = {}, const TldFilter& tlds = {});

} // namespace ostrevo
