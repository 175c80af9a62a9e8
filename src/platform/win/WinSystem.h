// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/win/RegistrySettingsStore.h"
#include "platform/win/WinAttention.h"
#include "platform/win/WinClock.h"
#include "platform/win/WinDialogs.h"
#include "platform/win/WinGameLauncher.h"
#include "platform/win/WinPlatform.h"
#include "platform/win/WinSoundPlayer.h"

namespace pollwick::win {

// The real services of Windows, for the program. Make it on the window's
// thread, once, before the windows; the timers and connections it makes
// report on that thread's message loop, and must also be used and
// destroyed there.
class WinSystem final : public Platform
{
public:
    WinSystem() = default;

    std::unique_ptr<Timer> createTimer() override;
    std::unique_ptr<ListConnection> createConnection() override;
    const Clock& clock() override { return m_clock; }
    SettingsStore& settings() override { return m_settings; }

    FileDialog& fileDialog() override { return m_fileDialog; }
    MessageBox& messageBox() override { return m_messageBox; }
    SoundPlayer& sound() override { return m_sound; }
    GameLauncher& launcher() override { return m_launcher; }
    Attention& attention() override { return m_attention; }
    // Takes the notification-area icon away, which Windows would otherwise
    // leave behind, and ends the process at once: nothing else is saved or
    // freed.
    void endProcess() override;

private:
    WinClock m_clock;
    RegistrySettingsStore m_settings;
    WinFileDialog m_fileDialog;
    WinMessageBox m_messageBox;
    WinSoundPlayer m_sound;
    WinGameLauncher m_launcher;
    WinAttention m_attention;
};

} // namespace pollwick::win
