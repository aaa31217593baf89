// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// Turns a search engine's result page (its lines of text, and the targets of
// its links) into host names for the URL list.

#include "net/tldfilter.h"
#include "pageloader/pageloader.h"
#include "rechercheweb/pagelines.h"
#include "rechercheweb/urllist.h"

#include <string>
#include <string_view>
#include <vector>

namespace ostrevo {

// Texts in front of which every line is cut (the engines' "cached"-style
// suffixes), searched in this order, each exactly as stored.
using CutMarkers = std::vector<std::string>;

// Which hosts are results.
struct LinkRules {
    TldFilter tlds;
    // The engine's registered domain (ownDomainOf its URL head): links into it
    // are the engine's own pages, not results. Empty: no engine.
    std::string ownDomain;
};

// Appends to `urls`, unticked and lower-cased, the new result hosts of the
// links one line of text shows, after cutting it at the cut markers. A link
// is a URL with an http or https scheme (any letter case), a host holding
// "www", a host followed by "/" and its path, or a host followed by a
// breadcrumb arrow ("example.com › path"). A host starts at the line's start,
// a blank, a Unicode space, a separator or an opening quote or bracket, and
// ends at anything no host holds; one glued to a letter beyond ASCII is none.
// Only hosts whose TLD `rules.tlds` accepts are taken, never the engine's own.
// Returns how many result links the line shows, listed already or not.
int parsepage(std::string_view line, const CutMarkers& cutMarkers, UrlList& urls,
              const LinkRules& rules = {});

// parsepage for every line of the page, first to last; the links counted.
int parseAllLines(const PageLines& pageLines, const CutMarkers& cutMarkers, UrlList& urls,
                  const LinkRules& rules = {});

// The same for the targets of a page's links (absolute URLs, in document
// order): at most kMaxLinkTargets of them, none longer than
// kMaxLinkTargetBytes, are looked at.
int harvestLinkTargets(const std::vector<std::string>& targets, UrlList& urls, const LinkRules& rules = {});

} // namespace ostrevo
