// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
// The end of a run reaches a desktop notification service on a session bus of
// the test's own.
#include "platform/desktopnotice.h"

#include <QDBusConnection>
#include <QProcess>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

namespace ostrevo {
namespace {

class FakeNotifications : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    QStringList shown;

public slots:
    uint Notify(const QString&, uint, const QString&, const QString& summary, const QString& body,
                const QStringList&, const QVariantMap&, int)
    {
        shown << summary + QStringLiteral(": ") + body;
        return 1;
    }
};

TEST(DesktopNotice, RunEndIsShownByTheDesktop)
{
    QProcess daemon;
    daemon.start(QStringLiteral("dbus-daemon"), {QStringLiteral("--session"), QStringLiteral("--nofork"),
                                                 QStringLiteral("--print-address=1")});
    ASSERT_TRUE(daemon.waitForReadyRead(10000));
    const QByteArray address = daemon.readLine().trimmed();
    // The program's connection is the session bus, read from here on first use.
    qputenv("DBUS_SESSION_BUS_ADDRESS", address);
    QDBusConnection desktop =
        QDBusConnection::connectToBus(QString::fromUtf8(address), QStringLiteral("desktop"));
    FakeNotifications notifications;
    ASSERT_TRUE(desktop.registerObject(QStringLiteral("/org/freedesktop/Notifications"), &notifications,
                                       QDBusConnection::ExportAllSlots));
    ASSERT_TRUE(desktop.registerService(QStringLiteral("org.freedesktop.Notifications")));

    QWidget window;
    announceRunEnd(&window, QStringLiteral("Lookup finished: 3 domains found"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !notifications.shown.isEmpty(); }, 5000));
    EXPECT_EQ(notifications.shown, QStringList{QStringLiteral("Ostrevo: Lookup finished: 3 domains found")});
    QDBusConnection::disconnectFromBus(QStringLiteral("desktop"));
    daemon.kill();
    daemon.waitForFinished();
}

} // namespace
} // namespace ostrevo

#include "desktopnotice_test.moc"
