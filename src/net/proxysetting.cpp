// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "net/proxysetting.h"

#include "net/activeproxy.h"
#include "platform/settings.h"

namespace ostrevo {

namespace {

// One entry per user and proxy, so that switching between proxies keeps each password.
std::string secretName(const ProxyChoice& choice)
{
    return "proxy " + choice.user + "@" + proxyAddress(choice.host, choice.port);
}

} // namespace

ProxyChoice loadProxyChoice()
{
    ProxyChoice choice;
    const QString mode = storedText(settingskey::Proxy);
    if (mode == QLatin1String("none")) {
        choice.mode = ProxyMode::None;
        return choice;
    }
    if (mode != QLatin1String("http") && mode != QLatin1String("socks5")) {
        return choice;
    }
    const std::optional<std::string> host =
        checkedProxyHost(storedText(settingskey::ProxyHost).toStdString(), nullptr);
    const std::optional<int> port = checkedPort(storedText(settingskey::ProxyPort).toStdString(), nullptr);
    if (!host || !port) {
        return choice;
    }
    choice.mode = ProxyMode::Manual;
    choice.kind = mode == QLatin1String("socks5") ? ProxyKind::Socks5 : ProxyKind::Http;
    choice.host = *host;
    choice.port = *port;
    choice.user = storedText(settingskey::ProxyUser).toStdString();
    return choice;
}

void saveProxyChoice(const ProxyChoice& choice)
{
    QString mode = QStringLiteral("system");
    if (choice.mode == ProxyMode::None) {
        mode = QStringLiteral("none");
    } else if (choice.mode == ProxyMode::Manual) {
        mode = choice.kind == ProxyKind::Socks5 ? QStringLiteral("socks5") : QStringLiteral("http");
    }
    store(settingskey::Proxy, mode);
    store(settingskey::ProxyHost, QString::fromStdString(choice.host));
    store(settingskey::ProxyPort, QString::number(choice.port));
    store(settingskey::ProxyUser, QString::fromStdString(choice.user));
}

std::string loadProxyPassword(SecretStore& secrets, const ProxyChoice& choice, SecretStore::Status* status)
{
    std::string password;
    SecretStore::Status read = SecretStore::Status::Missing;
    if (choice.mode == ProxyMode::Manual && !choice.user.empty()) {
        read = secrets.read(secretName(choice), password);
    }
    if (status != nullptr) {
        *status = read;
    }
    return read == SecretStore::Status::Done ? password : std::string();
}

SecretStore::Status saveProxyPassword(SecretStore& secrets, const ProxyChoice& choice,
                                      const std::string& password)
{
    if (choice.mode != ProxyMode::Manual || choice.user.empty()) {
        return SecretStore::Status::Done;
    }
    return secrets.write(secretName(choice), password);
}

SecretStore::Status useStoredProxy(SecretStore& secrets)
{
    const ProxyChoice choice = loadProxyChoice();
    SecretStore::Status status = SecretStore::Status::Done;
    const std::string password = loadProxyPassword(secrets, choice, &status);
    useProxy(choice, password);
    return status;
}

} // namespace ostrevo
