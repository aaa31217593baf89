// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "net/registereddomain.h"

#include <libpsl.h>

namespace ostrevo {

namespace {

// The newest of the list libpsl was built with and the one the system ships,
// loaded once for the program's life.
const psl_ctx_t* suffixList()
{
    static const psl_ctx_t* const list = [] {
        const psl_ctx_t* latest = psl_latest(nullptr);
        return latest != nullptr ? latest : psl_builtin();
    }();
    return list;
}

// Without the implicit "*" rule, a label the list does not know is no suffix.
bool isIcannSuffix(const std::string& name)
{
    const psl_ctx_t* list = suffixList();
    return list != nullptr &&
           psl_is_public_suffix2(list, name.c_str(), PSL_TYPE_ICANN | PSL_TYPE_NO_STAR_RULE) != 0;
}

} // namespace

std::string_view topLevelDomain(std::string_view host)
{
    const std::size_t dot = host.rfind('.');
    return dot == std::string_view::npos ? host : host.substr(dot + 1);
}

std::string registeredDomain(std::string_view host)
{
    if (host.empty() || host.find('\0') != std::string_view::npos) {
        return {};
    }
    // From the whole host towards its TLD: the first suffix the list names is
    // the longest, and the label before it makes the registered domain.
    std::size_t previous = std::string_view::npos;
    std::size_t start = 0;
    for (;;) {
        if (isIcannSuffix(std::string(host.substr(start)))) {
            return previous == std::string_view::npos ? std::string() : std::string(host.substr(previous));
        }
        const std::size_t dot = host.find('.', start);
        if (dot == std::string_view::npos) {
            return {};
        }
        previous = start;
        start = dot + 1;
    }
}

} // namespace ostrevo
