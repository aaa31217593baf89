// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "textscan/hostname.h"

#include <algorithm>

namespace ostrevo {
namespace {

constexpr std::size_t kMaxNameLength = 253;
constexpr std::size_t kMaxLabelLength = 63;
// A name of 253 characters spells at most 253 code points of up to four
// UTF-8 bytes each: anything longer is refused before it is converted.
constexpr std::size_t kMaxInternationalBytes = 4 * kMaxNameLength;

bool isLetterOrDigit(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

std::string lowerCasedDnsName(std::string_view name)
{
    if (!name.empty() && name.back() == '.') {
        name.remove_suffix(1);
    }
    if (name.empty() || name.size() > kMaxNameLength) {
        return {};
    }
    std::size_t labelStart = 0;
    for (std::size_t i = 0; i <= name.size(); ++i) {
        if (i < name.size() && name[i] != '.') {
            if (!isLetterOrDigit(name[i]) && name[i] != '-') {
                return {};
            }
            continue;
        }
        const std::size_t length = i - labelStart;
        if (length == 0 || length > kMaxLabelLength || name[labelStart] == '-' || name[i - 1] == '-') {
            return {};
        }
        labelStart = i + 1;
    }
    std::string lower(name);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    return lower;
}

} // namespace

std::string checkedHostName(std::string_view host, const AsciiHostConverter& toAscii)
{
    if (host.size() > kMaxInternationalBytes) {
        return {};
    }
    const bool ascii = std::all_of(host.begin(), host.end(), [](char c) { return (c & 0x80) == 0; });
    if (ascii) {
        return lowerCasedDnsName(host);
    }
    if (!toAscii) {
        return {};
    }
    const std::optional<std::string> converted = toAscii(host);
    return converted ? lowerCasedDnsName(*converted) : std::string();
}

} // namespace ostrevo
