// The desktop notifications on a private session bus that the test starts,
// with a stand-in for the desktop's notification service on it.
#include "platform/qt/DBusNotifier.h"

#include "FakePlatform.h"

#include <QDBusConnection>
#include <QGuiApplication>
#include <QObject>
#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>

#include <vector>

namespace pollwick {
namespace {

// Keeps what each Notify call brought, and answers with an id as the
// service does.
class StandInNotifications : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    // Each call as "icon|desktop entry|summary|body".
    std::vector<std::string> calls;

public slots:
    uint Notify(const QString& /*appName*/, uint /*replacesId*/, const QString& appIcon,
                const QString& summary, const QString& body, const QStringList& /*actions*/,
                const QVariantMap& hints, int /*expireTimeout*/)
    {
        calls.push_back(QStringList{
            appIcon, hints.value(QStringLiteral("desktop-entry")).toString(), summary, body}
                            .join(u'|')
                            .toStdString());
        return static_cast<uint>(calls.size());
    }
};

TEST(DBusNotifier, PostsTheTitleAndTheEscapedBodyToTheNotificationService)
{
    const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
    if (daemon.isEmpty()) {
        GTEST_SKIP() << "dbus-daemon is not installed";
    }
    QGuiApplication::setDesktopFileName(QStringLiteral("pollwick"));
    QProcess bus;
    bus.start(daemon,
              {QStringLiteral("--session"), QStringLiteral("--nofork"),
               QStringLiteral("--print-address")});
    ASSERT_TRUE(test::waitUntil([&] { return bus.canReadLine(); })) << "no bus address";
    const QString address = QString::fromUtf8(bus.readLine()).trimmed();
    {
        QDBusConnection serviceSide =
            QDBusConnection::connectToBus(address, QStringLiteral("pollwick-test-service"));
        StandInNotifications service;
        ASSERT_TRUE(serviceSide.registerObject(QStringLiteral("/org/freedesktop/Notifications"),
                                               &service, QDBusConnection::ExportAllSlots));
        ASSERT_TRUE(serviceSide.registerService(QStringLiteral("org.freedesktop.Notifications")));

        DBusNotifier notifier(
            QDBusConnection::connectToBus(address, QStringLiteral("pollwick-test-notifier")));
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
    QDBusConnection::disconnectFromBus(QStringLiteral("pollwick-test-service"));
    QDBusConnection::disconnectFromBus(QStringLiteral("pollwick-test-notifier"));
    bus.kill();
    bus.waitForFinished();
}

} // namespace
} // namespace pollwick

#include "DBusNotifierTest.moc"
