// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "SessionBus.h"

#include "FakePlatform.h"

#include <QStandardPaths>

namespace pollwick::test {
namespace {

const QString kServiceConnection = QStringLiteral("pollwick-test-service");

} // namespace

uint StandInNotifications::Notify(const QString& /*appName*/, uint /*replacesId*/,
                                  const QString& appIcon, const QString& summary,
                                  const QString& body, const QStringList& /*actions*/,
                                  const QVariantMap& hints, int /*expireTimeout*/)
{
    calls.push_back(
        QStringList{appIcon, hints.value(QStringLiteral("desktop-entry")).toString(), summary, body}
            .join(u'|')
            .toStdString());
    return static_cast<uint>(calls.size());
}

PrivateSessionBus::PrivateSessionBus()
{
    const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
    if (daemon.isEmpty()) {
        return;
    }
    m_daemon.start(daemon,
                   {QStringLiteral("--session"), QStringLiteral("--nofork"),
                    QStringLiteral("--print-address")});
    if (!waitUntil([&] { return m_daemon.canReadLine(); })) {
        return;
    }
    m_address = QString::fromUtf8(m_daemon.readLine()).trimmed();
    QDBusConnection serviceSide = connect(kServiceConnection);
    if (!serviceSide.registerObject(QStringLiteral("/org/freedesktop/Notifications"), &service,
                                    QDBusConnection::ExportAllSlots) ||
        !serviceSide.registerService(QStringLiteral("org.freedesktop.Notifications"))) {
        m_address.clear();
    }
}

PrivateSessionBus::~PrivateSessionBus()
{
    for (const QString& name : m_connections) {
        QDBusConnection::disconnectFromBus(name);
    }
    m_daemon.kill();
    m_daemon.waitForFinished();
}

QDBusConnection PrivateSessionBus::connect(const QString& name)
{
    m_connections.append(name);
    return QDBusConnection::connectToBus(m_address, name);
}

} // namespace pollwick::test
