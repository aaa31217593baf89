// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

#include <string>
#include <string_view>

namespace ostrevo {

// Contains "http://" or "https://".
bool containsLinkScheme(std::string_view text);

// The URL with "http://" in front unless it already names http or https
// (searched in the lower-cased URL, so "HTTP://host/" stays as it is).
std::string withDefaultScheme(std::string_view url);

} // namespace ostrevo
