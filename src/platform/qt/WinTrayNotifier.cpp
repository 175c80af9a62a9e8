// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/Notifier.h"
#include "platform/qt/QtPlatform.h"

#include <QApplication>
#include <QSystemTrayIcon>

namespace pollwick {
namespace {

// Windows shows a notification from the program's icon in the notification
// area; the icon appears with the first notification and stays until the
// program ends.
class WinTrayNotifier final : public Notifier
{
public:
    void notify(const QString& title, const QString& body) override
    {
        if (!QSystemTrayIcon::isSystemTrayAvailable()) {
            return;
        }
        m_icon.setIcon(QApplication::windowIcon());
        m_icon.setToolTip(QApplication::applicationName());
        m_icon.show();
        m_icon.showMessage(title, body, QSystemTrayIcon::Information);
    }

private:
    QSystemTrayIcon m_icon;
};

} // namespace

std::unique_ptr<Notifier> createSystemNotifier()
{
    return std::make_unique<WinTrayNotifier>();
}

} // namespace pollwick
