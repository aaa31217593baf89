// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
//
// A bootstrap file and a Retry-After value of any bytes: never a crash, and a
// server found for a host is always a web URL ending in '/'.

#include "lookup/rdapbootstrap.h"
#include "net/retryafter.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

void check(bool condition)
{
    if (!condition) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(bytes), size);
    if (const auto servers = ostrevo::readRdapBootstrap(text)) {
        check(servers->size() > 0);
        for (const std::string_view host : {"a.com", "x.y.org", "net", "a.b.c.d.e"}) {
            const std::string base = servers->baseFor(host);
            check(base.empty() || (base.back() == '/' && base.find("://") != std::string::npos));
            const std::string url = ostrevo::rdapDomainUrl(base, host);
            check(base.empty() == url.empty());
        }
    }
    const auto seconds = ostrevo::retryAfterSeconds(text, 1'700'000'000);
    check(!seconds || *seconds >= 0);
    return 0;
}
