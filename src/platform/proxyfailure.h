// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// How a request failed at the proxy rather than at the server: both the HTTP
// client and the browser engine report it, and a run pauses on it instead of
// counting each host it could not ask.

namespace ostrevo {

enum class ProxyFailure {
    None,
    Refused,            // the proxy refused the connection, or the tunnel through it
    Unreachable,        // no proxy answered at that address (name, network, time)
    NeedsCredentials,   // it asks for a user name and password, none are set
    CredentialsRefused, // it refused the user name and password given
};

} // namespace ostrevo
