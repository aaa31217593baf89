// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// Turns lines of a search engine's result page (plain text, not HTML) into
// host names for the URL list.

#include "rechercheweb/pagelines.h"
#include "rechercheweb/urllist.h"

#include <string>
#include <string_view>
#include <vector>

namespace ostrevo {

// Texts in front of which every line is cut (the engines' "cached"-style
// suffixes), searched in this order, each exactly as stored.
using CutMarkers = std::vector<std::string>;

// Looks at one line of `pageLines` (only when it mentions "www", "http://" or
// "https://") and appends to `urls`, unticked, the new hosts it finds: at most
// the host of the first token that looks like a link, plus what the passes
// before that token found. Hosts keep their letter case and "www."; only those
// containing ".com", ".net" or ".org" that are not a whole page line are
// taken.
void parsepage(std::string_view line, const CutMarkers& cutMarkers, const PageLines& pageLines,
               UrlList& urls);

// parsepage for every line of the page, first to last.
void parseAllLines(const PageLines& pageLines, const CutMarkers& cutMarkers, UrlList& urls);

} // namespace ostrevo
