// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// Whole numbers typed or stored as text: leading spaces, an optional sign,
// decimal digits, nothing after them, and the value within 32 bits.

#include <cstdint>
#include <optional>
#include <string_view>

namespace ostrevo {

std::optional<std::int32_t> tryParseInteger(std::string_view text);

// As tryParseInteger; throws IntegerConvertError ("'x' is not a valid integer value").
std::int32_t parseInteger(std::string_view text);

} // namespace ostrevo
