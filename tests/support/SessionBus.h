// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// A private D-Bus session bus that a test starts for itself, with a
// stand-in for the desktop's notification service on it.

#include <QDBusConnection>
#include <QObject>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QVariantMap>

#include <memory>
#include <string>
#include <vector>

namespace pollwick::test {

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
    uint Notify(const QString& appName, uint replacesId, const QString& appIcon,
                const QString& summary, const QString& body, const QStringList& actions,
                const QVariantMap& hints, int expireTimeout);
};

// dbus-daemon on a bus of its own, the stand-in service registered on it.
// Ends the daemon when it goes.
class PrivateSessionBus final
{
public:
    PrivateSessionBus();
    ~PrivateSessionBus();
    PrivateSessionBus(const PrivateSessionBus&) = delete;
    PrivateSessionBus& operator=(const PrivateSessionBus&) = delete;

    // False when dbus-daemon is not installed or did not start.
    [[nodiscard]] bool isUp() const { return !m_address.isEmpty(); }
    // A connection of its own to the bus, for the code under test.
    [[nodiscard]] QDBusConnection connect(const QString& name);

    StandInNotifications service;

private:
    QProcess m_daemon;
    QString m_address;
    QStringList m_connections;
};

} // namespace pollwick::test
