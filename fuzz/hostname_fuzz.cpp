// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
//
// Host names from pages and lists: whatever comes in, what comes out is empty
// or a lower-cased name of letters, digits, hyphens and dots of at most 253
// characters that checks as itself.

#include "textscan/hostname.h"

#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view host(reinterpret_cast<const char*>(data), size);
    // A converter that hands back the bytes after the first non-ASCII one, so
    // that converted answers are checked as well.
    const ostrevo::AsciiHostConverter toAscii = [](std::string_view name) -> std::optional<std::string> {
        for (std::size_t i = 0; i < name.size(); ++i) {
            if ((name[i] & 0x80) != 0) {
                return std::string(name.substr(i + 1));
            }
        }
        return std::nullopt;
    };
    const std::string checked = ostrevo::checkedHostName(host, toAscii);
    if (checked.empty()) {
        return 0;
    }
    if (checked.size() > 253 || ostrevo::checkedHostName(checked) != checked) {
        __builtin_trap();
    }
    for (const char c : checked) {
        if (!((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.')) {
            __builtin_trap();
        }
    }
    return 0;
}
