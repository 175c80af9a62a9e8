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
    struct Call {
        QString appIcon;
        QString summary;
        QString body;
        QVariantMap hints;
    };
    std::vector<Call> calls;

public slots:
    uint Notify(const QString& /*appName*/, uint /*replacesId*/, const QString& appIcon,
                const QString& summary, const QString& body, const QStringList& /*actions*/,
                const QVariantMap& hints, int /*expireTimeout*/)
    {
        calls.push_back({appIcon, summary, body, hints});
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

        const StandInNotifications::Call& call = service.calls[0];
        EXPECT_EQ(call.summary.toStdString(), "Server Up");
        EXPECT_EQ(call.body.toStdString(),
                  "&lt;b&gt;Tom&lt;/b&gt; &amp; Jerry's\n3/16 players\n192.0.2.10");
        // The program's desktop entry, which names its icon too.
        EXPECT_EQ(call.appIcon.toStdString(), "pollwick");
        EXPECT_EQ(call.hints.value(QStringLiteral("desktop-entry")).toString(), call.appIcon);
    }
    QDBusConnection::disconnectFromBus(QStringLiteral("pollwick-test-service"));
    QDBusConnection::disconnectFromBus(QStringLiteral("pollwick-test-notifier"));
    bus.kill();
    bus.waitForFinished();
}

} // namespace
} // namespace pollwick

#include "DBusNotifierTest.moc"
