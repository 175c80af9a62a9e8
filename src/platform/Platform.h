// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <memory>

namespace pollwick {

class Clock;
class FileDialog;
class ListConnection;
class MessageBox;
class Notifier;
class ProcessLauncher;
class SettingsStore;
class SoundPlayer;
class Timer;

// What each of the windows' timers is for; the program's timers are all
// alike, the tests tell them apart by it.
enum class TimerRole : std::uint8_t {
    StartupCheck, // the main window's one-shot check for game paths
    ServerChoice, // polls the list server's box until a server is chosen
    Requery, // the scan's re-query
    HandOver, // the splash's hand-over to the main window
};

// Every service of the system that the Qt windows reach: the program gets
// the Qt implementations (QtPlatform); the tests keep real connections and
// put fakes in for what cannot run here (sound, notifications, the game,
// modal dialogs), with timers that tick only when told.
class Platform
{
public:
    virtual ~Platform() = default;

    // The core's ports, on Qt's event loop.
    virtual std::unique_ptr<Timer> createTimer(TimerRole role) = 0;
    virtual std::unique_ptr<ListConnection> createConnection() = 0;
    virtual const Clock& clock() = 0;
    virtual SettingsStore& settings() = 0;

    virtual FileDialog& fileDialog() = 0;
    virtual MessageBox& messageBox() = 0;
    virtual SoundPlayer& sound() = 0;
    virtual Notifier& notifier() = 0;
    virtual ProcessLauncher& launcher() = 0;
    // Ends the program at once.
    virtual void endProcess() = 0;
};

} // namespace pollwick
