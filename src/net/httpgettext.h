// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// A small text download (the catalogue and the RDAP servers update) that
// waits for its answer while the event loop runs on: the window repaints and
// takes clicks, and the caller may cancel it.

#include <chrono>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace ostrevo {

struct HttpGetOptions {
    // Whole transfer, redirects included: a server that accepts and never
    // answers cannot hold the download longer than this.
    std::chrono::milliseconds totalTimeout{30'000};
    // A longer body fails the download instead of filling memory.
    std::size_t maxBodySize = 64U * 1024U * 1024U;
    // Tested while the download waits; true ends it as a failure.
    std::function<bool()> cancelled;
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
    // The message naming the proxy, when the download failed there.
    std::string proxyFailure;
};

// GET `url` ("http://" is put in front when it names no http or https
// scheme) with the agent "InetURL:/1.0", bypassing caches, following at most
// five redirects over http and https, never from https to http. Returns when
// the answer is in, the time is up or `cancelled` holds. Never throws.
HttpTextResult HttpGetText(std::string_view url, const HttpGetOptions& options = {});

} // namespace ostrevo
