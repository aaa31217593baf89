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
// the text), everything up to the first "://" goes, then everything up to the
// first "mailto:" in what is left. Points into `text`.
std::string_view shownCellText(std::string_view text, bool hidePrefixes);

// Whether a link text may be handed to the desktop: only web and mail
// addresses. A loaded file can hold anything, and file:, smb: or a program's
// own scheme must not be opened by a click in the table.
bool isOpenableLink(std::string_view text);

// The address a saved page may link a cell to: an http or https address
// whose host is a plain host name (letters, digits, hyphens, dots, a port),
// or a mailto address of one plain mailbox (optionally in angle brackets).
// Everything outside a URL's own characters is percent-encoded, so the
// address stays one attribute and one link. Nothing for any other text.
std::optional<std::string> linkAddress(std::string_view text);

} // namespace ostrevo
