// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// The registrant's e-mail address in a whois answer, or the contact form
// that stands in for it.

#include <string_view>

namespace ostrevo {

// The address alone (no label, brackets, quotes or trailing punctuation),
// pointing into `page`. An address on a line that names the registrant wins,
// then one on a line naming the administrative contact, then the first
// address of the page. Empty when the page holds none.
std::string_view registrantEmail(std::string_view page);

// The first http or https address on a line that names the registrant and a
// way to write to it ("Registrant Email: https://...", "Registrant Contact:
// use the form at https://..."), pointing into `page`. Only an address that
// names a host, up to the next blank, without trailing punctuation or
// control bytes and of at most 2,048 bytes. Empty when there is none.
std::string_view registrantContactForm(std::string_view page);

} // namespace ostrevo
