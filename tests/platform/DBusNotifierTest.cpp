// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The desktop notifications on a private session bus that the test starts,
// with a stand-in for the desktop's notification service on it.
#include "platform/qt/DBusNotifier.h"

#include "DBusNotifierTest.h"
#include "FakePlatform.h"

#include <QDBusConnection>
#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>

namespace pollwick {
namespace {

const QString kServiceConnection = QStringLiteral("pollwick-test-service");
const QString kNotifierConnection = QStringLiteral("pollwick-test-notifier");

// dbus-daemon on a bus of its own, the stand-in service registered on it;
// the daemon ends with the test.
class DBusNotifierTest : public ::testing::Test
{
public:
    void SetUp() override
    {
        const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
        if (daemon.isEmpty()) {
            GTEST_SKIP() << "no dbus-daemon to start a bus with";
        }
        m_daemon.start(daemon,
                       {QStringLiteral("--session"), QStringLiteral("--nofork"),
                        QStringLiteral("--print-address")});
        ASSERT_TRUE(test::waitUntil([&] { return m_daemon.canReadLine(); }));
        m_address = QString::fromUtf8(m_daemon.readLine()).trimmed();
        QDBusConnection serviceSide = QDBusConnection::connectToBus(m_address, kServiceConnection);
        ASSERT_TRUE(serviceSide.registerObject(QStringLiteral("/org/freedesktop/Notifications"),
                                               &service, QDBusConnection::ExportAllSlots));
        ASSERT_TRUE(serviceSide.registerService(QStringLiteral("org.freedesktop.Notifications")));
    }
    void TearDown() override
    {
        for (const QString& name : {kServiceConnection, kNotifierConnection}) {
            QDBusConnection::disconnectFromBus(name);
        }
        m_daemon.kill();
        m_daemon.waitForFinished();
    }
    // A connection of the code under test to the bus.
    [[nodiscard]] QDBusConnection connect() const
    {
        return QDBusConnection::connectToBus(m_address, kNotifierConnection);
    }

    test::StandInNotifications service;

private:
    QProcess m_daemon;
    QString m_address;
};

TEST_F(DBusNotifierTest, PostsTheTitleAndTheEscapedBodyToTheNotificationService)
{
    QGuiApplication::setDesktopFileName(QStringLiteral("pollwick"));
    DBusNotifier notifier(connect());
    notifier.notify(QStringLiteral("Server Up"),
                    QStringLiteral("<b>Tom</b> & Jerry's\n3/16 players\n192.0.2.10"));
    // The service is called on this thread: notify() did not wait for it.
    EXPECT_TRUE(service.calls.empty());
    ASSERT_TRUE(test::waitUntil([&] { return !service.calls.empty(); }));

    // The program's desktop entry, which names its icon too; the body
    // escaped, since the service reads markup.
    EXPECT_EQ(service.calls[0],
              "pollwick|pollwick|Server Up|&lt;b&gt;Tom&lt;/b&gt; &amp; Jerry's\n3/16 "
              "players\n192.0.2.10");
}

} // namespace
} // namespace pollwick
