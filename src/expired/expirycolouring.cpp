// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "expired/expirycolouring.h"

#include "textscan/textscan.h"

#include <array>
#include <charconv>
#include <limits>

namespace ostrevo {

namespace {

std::optional<std::int32_t> wholeNumber(std::string_view text)
{
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
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

} // namespace

std::optional<std::uint16_t> expiryYear(std::string_view expiryText)
{
    std::int32_t cursor = 1;
    const std::string_view field = FieldOf(expiryText, "/", cursor);
    const std::optional<std::int32_t> number = wholeNumber(field);
    if (!number) {
        return std::nullopt;
    }
    return static_cast<std::uint16_t>(static_cast<std::uint32_t>(*number) & 0xFFFFu);
}

Rgb expiryColourForYearsLeft(int yearsLeft)
{
    static constexpr std::array<Rgb, 6> kColours = {{
        {255, 0, 0},
        {255, 85, 0},
        {255, 170, 0},
        {255, 255, 0},
        {255, 255, 136},
        {255, 255, 170},
    }};
    if (yearsLeft < 0 || yearsLeft >= static_cast<int>(kColours.size())) {
        return {255, 255, 255};
    }
    return kColours[static_cast<std::size_t>(yearsLeft)];
}

std::optional<Rgb> expiryCellColour(std::string_view expiryText, int currentYear)
{
    const std::optional<std::uint16_t> year = expiryYear(expiryText);
    if (!year) {
        return std::nullopt;
    }
    return expiryColourForYearsLeft(static_cast<int>(*year) - currentYear);
}

} // namespace ostrevo
