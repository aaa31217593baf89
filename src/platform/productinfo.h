// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// Where the product lives on the web: one place for the addresses the windows
// show and the server the search engine catalogue is updated from.

#include <string_view>

namespace ostrevo {

inline constexpr std::string_view kProductHomePage = "https://ostrevo.org";
inline constexpr std::string_view kProductContactEmail = "contact@ostrevo.org";
// Serves the current catalogue at /listex.txt, over HTTPS only.
inline constexpr std::string_view kCatalogueUpdateServer = "https://ostrevo.org";

} // namespace ostrevo
