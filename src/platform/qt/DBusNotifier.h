// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/Notifier.h"

#include <QDBusConnection>

namespace pollwick {

// Notifications through the desktop's notification service
// (org.freedesktop.Notifications) on a D-Bus bus, the session bus unless
// told otherwise. The call is sent without waiting for its answer: a
// service that is slow, missing or busy never holds up the window, and a
// bus that is not there makes notify() do nothing.
class DBusNotifier final : public Notifier
{
public:
    explicit DBusNotifier(QDBusConnection bus = QDBusConnection::sessionBus());

    void notify(const QString& title, const QString& body) override;

private:
    QDBusConnection m_bus;
};

} // namespace pollwick
