// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// The registrant's address as whois pages give it: the first token of the
// page (split at tab, line feed, carriage return, space, comma and
// semicolon, double-quoted stretches kept whole) that holds an "@".

#include <string_view>

namespace ostrevo {

inline constexpr std::string_view EmailSeparators{"\t\n\r ,;", 6};

// That token as NextToken gives it, pointing into `page`; empty when no
// token holds an "@".
std::string_view firstEmailToken(std::string_view page);

} // namespace ostrevo
