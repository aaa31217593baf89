// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "lookup/whoissetting.h"

#include "net/proxychoice.h"
#include "platform/settings.h"

namespace ostrevo {

WhoisServices loadWhoisServices()
{
    WhoisServices services = defaultWhoisServices();
    const auto useStored = [](const QString& key, WhoisService& service) {
        const std::string text = storedText(key).trimmed().toStdString();
        if (const std::optional<std::string> host = checkedHostAndPort(text, nullptr)) {
            service.host = *host;
        }
    };
    useStored(settingskey::WhoisFirst, services.first);
    useStored(settingskey::WhoisSecond, services.second);
    return services;
}

void saveWhoisHosts(const std::string& first, const std::string& second)
{
    const WhoisServices builtIn = defaultWhoisServices();
    const auto keep = [](const QString& key, const std::string& host, const std::string& defaultHost) {
        store(key, host == defaultHost ? QString() : QString::fromStdString(host));
    };
    keep(settingskey::WhoisFirst, first, builtIn.first.host);
    keep(settingskey::WhoisSecond, second, builtIn.second.host);
}

} // namespace ostrevo
