// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "expired/expirycolouring.h"

#include "textscan/integertext.h"
#include "textscan/textscan.h"

#include <array>

namespace ostrevo {

std::optional<std::uint16_t> expiryYear(std::string_view expiryText)
{
    std::int32_t cursor = 1;
    const std::string_view field = FieldOf(expiryText, "/", cursor);
    const std::optional<std::int32_t> number = tryParseInteger(field);
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
