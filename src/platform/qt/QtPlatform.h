// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/Platform.h"

#include <memory>

namespace pollwick {

// The services of the running program, made of Qt's classes, the system's
// sockets and the desktop's notification service on D-Bus.
class QtPlatform final : public Platform
{
public:
    QtPlatform();
    ~QtPlatform() override;
    QtPlatform(const QtPlatform&) = delete;
    QtPlatform& operator=(const QtPlatform&) = delete;
    QtPlatform(QtPlatform&&) = delete;
    QtPlatform& operator=(QtPlatform&&) = delete;

    std::unique_ptr<Timer> createTimer(TimerRole role) override;
    std::unique_ptr<ListConnection> createConnection() override;
    const Clock& clock() override;
    SettingsStore& settings() override;
    FileDialog& fileDialog() override;
    MessageBox& messageBox() override;
    SoundPlayer& sound() override;
    Notifier& notifier() override;
    ProcessLauncher& launcher() override;
    void endProcess() override;

private:
    std::unique_ptr<Clock> m_clock;
    std::unique_ptr<SettingsStore> m_settings;
    std::unique_ptr<FileDialog> m_fileDialog;
    std::unique_ptr<MessageBox> m_messageBox;
    std::unique_ptr<SoundPlayer> m_sound;
    std::unique_ptr<Notifier> m_notifier;
    std::unique_ptr<ProcessLauncher> m_launcher;
};

// Made by the files that implement sound and notifications.
std::unique_ptr<SoundPlayer> createSystemSoundPlayer();
std::unique_ptr<Notifier> createSystemNotifier();

} // namespace pollwick
