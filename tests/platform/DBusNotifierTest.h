// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QStringList>
#include <QVariantMap>

#include <string>
#include <vector>

namespace pollwick::test {

// The desktop's notification service, stood in for on the test's private
// bus: keeps what each Notify call brought, and answers with an id as the
// service does. (A header of its own, so that moc sees it.)
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

} // namespace pollwick::test
