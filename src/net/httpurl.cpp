// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "net/httpurl.h"

#include "textscan/textkey.h"

namespace ostrevo {

bool containsLinkScheme(std::string_view text)
{
    return text.find("http://") != std::string_view::npos || text.find("https://") != std::string_view::npos;
}

std::string withDefaultScheme(std::string_view url)
{
    if (containsLinkScheme(asciiLower(url))) {
        return std::string(url);
    }
    std::string result = "http://";
    result += url;
    return result;
}

} // namespace ostrevo
