// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "rechercheweb/httpurl.h"

#include "rechercheweb/linkhost.h"
#include "rechercheweb/textkey.h"

namespace ostrevo {

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
