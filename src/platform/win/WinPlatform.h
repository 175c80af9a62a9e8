// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/Texts.h"

#include <memory>
#include <optional>
#include <string>
#include <windows.h>

namespace pollwick {
class Clock;
class ListConnection;
class SettingsStore;
class Timer;
} // namespace pollwick

// The services of Windows that the Windows window reaches: the ports of the
// core (connection, timers, clock, settings) on the window's message loop,
// and the modal dialogs, sound, game start and attention marks. Texts are
// UTF-16, as the W functions take them. The program gets WinSystem; the
// window's tests put fakes in for what cannot run here (modal dialogs,
// sound) and tick their timers by hand.
namespace pollwick::win {

// A modal file-open dialog with one filter. The chosen file's full path, or
// nothing when the person cancelled or the dialog failed.
class FileDialog
{
public:
    virtual ~FileDialog() = default;
    virtual std::optional<std::wstring> openFile(HWND owner, texts::FileFilter filter,
                                                 const std::wstring& initialFile) = 0;
};

// A modal message box with one OK button and no icon.
class MessageBox
{
public:
    virtual ~MessageBox() = default;
    virtual void show(HWND owner, const std::wstring& prompt, const std::wstring& title) = 0;
};

// Plays a wave file to its end before returning; a file that cannot be
// played safely gets the system's default sound instead.
class SoundPlayer
{
public:
    virtual ~SoundPlayer() = default;
    virtual void playSync(const std::wstring& path) = 0;
};

// Starts the game without waiting for it and without a shell: `program`
// with the arguments "-connect" and `connectAddress`, in the program's own
// folder. False when nothing could be started.
class GameLauncher
{
public:
    virtual ~GameLauncher() = default;
    virtual bool start(const std::wstring& program, const std::wstring& connectAddress) = 0;
};

// Asks for the person's attention when a server is up: the window flashes
// in the task bar and a balloon shows `title` and `body` in the
// notification area. Returns at once.
class Attention
{
public:
    virtual ~Attention() = default;
    virtual void serverUp(HWND window, const std::wstring& title, const std::wstring& body) = 0;
};

class Platform
{
public:
    virtual ~Platform() = default;

    // Ports of the core, on this thread's message loop.
    virtual std::unique_ptr<Timer> createTimer() = 0;
    virtual std::unique_ptr<ListConnection> createConnection() = 0;
    virtual const Clock& clock() = 0;
    virtual SettingsStore& settings() = 0;

    virtual FileDialog& fileDialog() = 0;
    virtual MessageBox& messageBox() = 0;
    virtual SoundPlayer& sound() = 0;
    virtual GameLauncher& launcher() = 0;
    virtual Attention& attention() = 0;
    // Ends the program at once.
    virtual void endProcess() = 0;
};

} // namespace pollwick::win
