// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// The proxy kept between starts: the choice in the settings, the password in
// the desktop's secret store.

#include "net/proxychoice.h"
#include "net/secretstore.h"

#include <string>

namespace ostrevo {

// The stored choice; the system's proxy when unset, and a manual one whose
// host or port does not pass its checks too (a damaged or hand-edited file).
ProxyChoice loadProxyChoice();
void saveProxyChoice(const ProxyChoice& choice);

// The password kept for the choice's user and proxy; empty when there is
// none, or no store (then `status` says so).
std::string loadProxyPassword(SecretStore& secrets, const ProxyChoice& choice, SecretStore::Status* status);
SecretStore::Status saveProxyPassword(SecretStore& secrets, const ProxyChoice& choice,
                                      const std::string& password);

// At start: the stored proxy and its password put to use. The store's status.
SecretStore::Status useStoredProxy(SecretStore& secrets);

} // namespace ostrevo
