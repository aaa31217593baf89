// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// Result cells that hold a web or mail address are shown and clicked as links.
// These work on the stored 8-bit text; the view only converts what it draws.

#include <optional>
#include <string>
#include <string_view>

namespace ostrevo {

// Holds "://" or "mailto:", and no "</" (markup is never taken for a link).
bool isLinkText(std::string_view text);

// What a cell shows: with the prefixes hidden (`hidePrefixes`, and no "</" in
// the text), a leading scheme and "://" go, or a leading "mailto:"; a scheme
// further in stays, so the text never hides where a link leads. Points into
// `text`.
std::string_view shownCellText(std::string_view text, bool hidePrefixes);

// What a click on a link text may hand to the desktop, or empty: only web
// addresses, as they stand, and mail addresses rebuilt as "mailto:" and the
// checked address alone (no recipients or headers of the text's own). A
// loaded file or a whois page can hold anything, and file:, smb: or a
// program's own scheme must not be opened by a click in the table.
std::string openableLink(std::string_view text);

// The address a saved page may link a cell to: an http or https address
// whose host is a plain host name (letters, digits, hyphens, dots, a port),
// or a mailto address of one plain mailbox (optionally in angle brackets).
// Everything outside a URL's own characters is percent-encoded, so the
// address stays one attribute and one link. Nothing for any other text.
std::optional<std::string> linkAddress(std::string_view text);

} // namespace ostrevo
