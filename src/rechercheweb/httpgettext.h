// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// A blocking HTTP GET for small text downloads (the catalogue update).

#include <chrono>
#include <cstddef>
#include <string>
#include <string_view>

namespace ostrevo {

struct HttpGetOptions {
    std::chrono::milliseconds connectTimeout{10'000};
    // Whole transfer, redirects included: a server that accepts and never
    // answers cannot hold the window longer than this.
    std::chrono::milliseconds totalTimeout{30'000};
    // A longer body fails the download instead of filling memory.
    std::size_t maxBodySize = 64U * 1024U * 1024U;
};

struct HttpTextResult {
    // The server answered 200 (a redirect without a usable Location fails)
    // and the whole body arrived.
    bool ok = false;
    // Status of the last answer, 0 when none arrived.
    long status = 0;
    // Every byte of the body, zero bytes included; empty unless ok.
    std::string body;
    // Why it failed, e.g. "Status:404" or the transfer error; empty when ok.
    std::string error;
};

// GET `url` ("http://" is put in front when it names no http or https
// scheme) with the agent "InetURL:/1.0", bypassing caches, following
// redirects. Never throws.
HttpTextResult HttpGetText(std::string_view url, const HttpGetOptions& options = {});

} // namespace ostrevo
