// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "net/activeproxy.h"

#include "pageloader/qtpageloader.h"

#include <QHostAddress>
#include <QNetworkProxy>
#include <QNetworkProxyFactory>
#include <QUrl>

namespace ostrevo {

namespace {

struct Active {
    ProxyChoice choice;
    std::string password;
    ProxyChoice atBrowserStart; // the last choice made before the engine started
};

Active& active()
{
    static Active proxy;
    return proxy;
}

QNetworkProxy manualProxy(const ProxyChoice& choice, const std::string& password)
{
    QNetworkProxy proxy(choice.kind == ProxyKind::Socks5 ? QNetworkProxy::Socks5Proxy
                                                         : QNetworkProxy::HttpProxy,
                        QString::fromStdString(choice.host), static_cast<quint16>(choice.port));
    if (!choice.user.empty()) {
        proxy.setUser(QString::fromStdString(choice.user));
        proxy.setPassword(QString::fromStdString(password));
    }
    return proxy;
}

} // namespace

void useProxy(const ProxyChoice& choice, const std::string& password)
{
    active().choice = choice;
    active().password = password;
    if (!browserEngineStarted()) {
        active().atBrowserStart = choice;
    }
    switch (choice.mode) {
    case ProxyMode::System:
        QNetworkProxy::setApplicationProxy(QNetworkProxy(QNetworkProxy::DefaultProxy));
        QNetworkProxyFactory::setUseSystemConfiguration(true);
        break;
    case ProxyMode::None:
        QNetworkProxyFactory::setUseSystemConfiguration(false);
        QNetworkProxy::setApplicationProxy(QNetworkProxy(QNetworkProxy::NoProxy));
        break;
    case ProxyMode::Manual:
        QNetworkProxyFactory::setUseSystemConfiguration(false);
        QNetworkProxy::setApplicationProxy(manualProxy(choice, password));
        break;
    }
    // The engine asks the page for credentials; its proxy is the one above.
    setBrowserProxyCredentials(choice.mode == ProxyMode::Manual ? choice.user : std::string(), password);
}

const ProxyChoice& proxyInUse()
{
    return active().choice;
}

const std::string& proxyPasswordInUse()
{
    return active().password;
}

bool browserProxyOutdated()
{
    // Credentials are asked for at each connection: only where to connect is fixed.
    const auto where = [](const ProxyChoice& c) {
        return c.mode == ProxyMode::Manual ? ProxyChoice{c.mode, c.kind, c.host, c.port, {}}
                                           : ProxyChoice{c.mode, {}, {}, {}, {}};
    };
    return browserEngineStarted() && where(active().atBrowserStart) != where(active().choice);
}

std::string proxyAddressFor(const QUrl& url)
{
    // Qt Network and the browser engine reach this machine without a proxy.
    const QString host = url.host();
    if (host.compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0 ||
        QHostAddress(host).isLoopback()) {
        return {};
    }
    const ProxyChoice& choice = active().choice;
    if (choice.mode == ProxyMode::Manual) {
        return proxyAddress(choice.host, choice.port);
    }
    if (choice.mode == ProxyMode::None) {
        return {};
    }
    for (const QNetworkProxy& proxy : QNetworkProxyFactory::systemProxyForQuery(QNetworkProxyQuery(url))) {
        if (proxy.type() != QNetworkProxy::NoProxy && proxy.type() != QNetworkProxy::DefaultProxy) {
            return proxyAddress(proxy.hostName().toStdString(), proxy.port());
        }
    }
    return {};
}

std::string proxyFailureFor(ProxyFailure failure, const QUrl& url)
{
    const std::string address = proxyAddressFor(url);
    return proxyFailureText(failure, address.empty() ? std::string("set by the system") : address);
}

} // namespace ostrevo

namespace ostrevo {

std::string proxyFailureFor(ProxyFailure failure, const std::string& url)
{
    return proxyFailureFor(failure, QUrl(QString::fromStdString(url)));
}

} // namespace ostrevo
