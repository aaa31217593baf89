// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "platform/desktopnotice.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QVariantMap>
#include <QWidget>

namespace ostrevo {

void announceRunEnd(QWidget* window, const QString& text)
{
    QApplication::alert(window);
    showDesktopNotice(text);
}

void showDesktopNotice(const QString& text)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        return;
    }
    QDBusMessage notify = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
    // app_name, replaces_id, app_icon, summary, body, actions, hints, expire_timeout
    notify << QGuiApplication::applicationDisplayName() << 0u << QStringLiteral("org.ostrevo.Ostrevo")
           << QGuiApplication::applicationDisplayName() << text << QStringList() << QVariantMap() << -1;
    // Sent without waiting: a desktop without the service answers with an error nobody reads.
    bus.send(notify);
}

} // namespace ostrevo
