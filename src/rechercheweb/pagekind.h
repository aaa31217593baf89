// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// Tells a search engine's result page from the pages engines put in its
// place: a check that the visitor is human, a cookie-consent page, or a
// refusal of automated queries.

#include <string_view>

namespace ostrevo {

// Ordered by precedence: a page showing marks of several kinds is the first.
enum class PageKind { Check, Consent, Block, Results };

struct PageFacts {
    int httpStatus = 0;        // of the main document; 0 when unknown
    std::string_view finalUrl; // after redirects
    std::string_view text;     // the body's text
    bool hasResultLinks = false;
};

// A page with result links is a result page whatever else it shows; any
// other page is judged by its status, its URL's host and path (never the
// query, which holds the user's keywords) and phrases of its text in any
// letter case. A page without marks is a result page, maybe an empty one.
PageKind recognisePage(const PageFacts& page);

// Whether an engine answering this way wants to be left alone for a while.
bool isRefusalStatus(int httpStatus);

} // namespace ostrevo
