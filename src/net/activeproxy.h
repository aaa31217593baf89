// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// The proxy this session uses, set in one place for everything the program
// loads: Qt Network (the HTTP client: RDAP and the updates) and the browser
// engine (search pages, "Show page", whois pages).

#include "net/proxychoice.h"

#include <string>

class QUrl;

namespace ostrevo {

// Everything loaded from now on goes through `choice`, with `password` for
// its user. The browser engine reads the proxy when it starts (its first
// page): a change after that reaches it at the next start only.
void useProxy(const ProxyChoice& choice, const std::string& password);
const ProxyChoice& proxyInUse();
const std::string& proxyPasswordInUse();

// Whether the browser engine started with a proxy other than the one in use now.
bool browserProxyOutdated();

// The proxy a request for `url` goes through, as "host:port"; empty when none.
std::string proxyAddressFor(const QUrl& url);
// The message for a failure at the proxy a request for `url` went through.
std::string proxyFailureFor(ProxyFailure failure, const QUrl& url);
std::string proxyFailureFor(ProxyFailure failure, const std::string& url);

} // namespace ostrevo
