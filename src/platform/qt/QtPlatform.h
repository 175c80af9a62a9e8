// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/Platform.h"

#include <memory>

namespace pollwick {

// The services of the running program, made of Qt's classes (and, on
// Windows, of the system's own sound call; elsewhere, of the desktop's
// notification service on D-Bus).
class QtPlatform final : public Platform
{
public:
    QtPlatform();
    ~QtPlatform() override;
    QtPlatform(const QtPlatform&) = delete;
    QtPlatform& operator=(const QtPlatform&) = delete;

    Timer* createTimer(QObject* parent) override;
    ClientSocket* createSocket(QObject* parent) override;
    SettingsStore& settings() override;
    FileDialog& fileDialog() override;
    MessageBox& messageBox() override;
    SoundPlayer& sound() override;
    Notifier& notifier() override;
    ProcessLauncher& launcher() override;
    Clock& clock() override;
    void endProcess() override;

private:
    std::unique_ptr<SettingsStore> m_settings;
    std::unique_ptr<FileDialog> m_fileDialog;
    std::unique_ptr<MessageBox> m_messageBox;
    std::unique_ptr<SoundPlayer> m_sound;
    std::unique_ptr<Notifier> m_notifier;
    std::unique_ptr<ProcessLauncher> m_launcher;
    std::unique_ptr<Clock> m_clock;
};

// Made by the file that implements sound for this system (Qt Multimedia, or
// the system's own call on Windows).
std::unique_ptr<SoundPlayer> createSystemSoundPlayer();

// Made by the file that implements notifications for this system (the
// notification area on Windows, the session bus elsewhere).
std::unique_ptr<Notifier> createSystemNotifier();

} // namespace pollwick
