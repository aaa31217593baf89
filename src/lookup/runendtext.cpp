// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "lookup/runendtext.h"

#include "textscan/hostname.h"

namespace ostrevo {

std::string runEndText(std::size_t registeredFound, const std::vector<std::string>& unanswered)
{
    std::string text = "Lookup finished: " + std::to_string(registeredFound) + " domains found";
    if (unanswered.empty()) {
        return text;
    }
    std::size_t named = 0;
    for (const std::string& host : unanswered) {
        if (named == MaxNamedUnanswered) {
            break;
        }
        const std::string name = checkedHostName(host);
        if (!name.empty()) {
            text += (named++ == 0 ? "; no answer for " : ", ") + name;
        }
    }
    const std::size_t more = unanswered.size() - named;
    if (named == 0) {
        text += "; no answer for " + std::to_string(more) + (more == 1 ? " host" : " hosts");
    } else if (more > 0) {
        text += " and " + std::to_string(more) + " more";
    }
    return text;
}

} // namespace ostrevo
