// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/qt/DBusNotifier.h"

#include "platform/qt/QtPlatform.h"

#include <QDBusMessage>
#include <QGuiApplication>
#include <QStringList>
#include <QVariantMap>

#include <utility>

namespace pollwick {

DBusNotifier::DBusNotifier(QDBusConnection bus)
    : m_bus(std::move(bus))
{ }

void DBusNotifier::notify(const QString& title, const QString& body)
{
    if (!m_bus.isConnected()) {
        return;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"),
        QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
    // The program is named by its desktop entry, which is also its icon's
    // name. Services may read the body as markup, so its text is escaped:
    // server names come from the list server and must never become markup.
    const QString desktopId = QGuiApplication::desktopFileName();
    call << QCoreApplication::applicationName() << 0U << desktopId << title << body.toHtmlEscaped()
         << QStringList() << QVariantMap{{QStringLiteral("desktop-entry"), desktopId}} << -1;
    m_bus.send(call);
}

std::unique_ptr<Notifier> createSystemNotifier()
{
    return std::make_unique<DBusNotifier>();
}

} // namespace pollwick
