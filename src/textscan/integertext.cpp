// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "textscan/integertext.h"

#include "platform/errors.h"

#include <charconv>
#include <limits>
#include <string>

namespace ostrevo {

std::optional<std::int32_t> tryParseInteger(std::string_view text)
{
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    // from_chars would take a second sign itself: "+-5" and "--5" are not numbers.
    if (text.empty() || text.front() < '0' || text.front() > '9') {
        return std::nullopt;
    }
    std::int64_t magnitude = 0;
    const char* const end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, magnitude);
    if (error != std::errc() || stop != end) {
        return std::nullopt;
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value < std::numeric_limits<std::int32_t>::min() ||
        value > std::numeric_limits<std::int32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(value);
}

std::int32_t parseInteger(std::string_view text)
{
    if (const std::optional<std::int32_t> value = tryParseInteger(text)) {
        return *value;
    }
    throw IntegerConvertError(std::string(text));
}

} // namespace ostrevo
