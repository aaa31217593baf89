// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// Host names taken from pages, lists and files become DNS names before they
// are looked up, shown or put in a link.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace ostrevo {

// Turns an international (non-ASCII, UTF-8) host name into its ASCII form;
// nothing when it is not a valid international name.
using AsciiHostConverter = std::function<std::optional<std::string>(std::string_view)>;

// The host as a lower-cased DNS name: dot-separated labels of letters, digits
// and hyphens (not first or last), 1 to 63 characters each, at most 253 in
// all; a single final dot is dropped. A host with bytes beyond ASCII is first
// converted by `toAscii` (without one, it is refused). Empty when the host is
// not such a name.
std::string checkedHostName(std::string_view host, const AsciiHostConverter& toAscii = {});

} // namespace ostrevo
