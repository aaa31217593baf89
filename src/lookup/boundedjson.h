// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// JSON from outside, parsed within bounds on size and nesting, and the few
// lenient reads its readers share.

#include <nlohmann/json.hpp>

#include <cstddef>
#include <optional>
#include <string_view>

namespace ostrevo {

// Nothing when `text` is longer than `maxBytes`, nests arrays and objects
// deeper than `maxDepth`, or is not JSON.
std::optional<nlohmann::json> parseBoundedJson(std::string_view text, std::size_t maxBytes, int maxDepth);

// The member's string, or empty when it is missing or not a string.
std::string_view stringMember(const nlohmann::json& object, const char* name);

// Equal ignoring the letter case of A to Z.
bool equalsIgnoringCase(std::string_view a, std::string_view b);

} // namespace ostrevo
