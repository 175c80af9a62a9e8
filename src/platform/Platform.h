// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QObject;

namespace pollwick {

class ClientSocket;
class Clock;
class FileDialog;
class MessageBox;
class Notifier;
class ProcessLauncher;
class SettingsStore;
class SoundPlayer;
class Timer;

// Every service of the system that the window's logic reaches: the program
// gets the Qt implementations (QtPlatform), the tests keep real sockets and
// put fakes in for what cannot run here (sound, notifications, the game,
// modal dialogs) and manual timers that tick only when told.
class Platform
{
public:
    virtual ~Platform() = default;

    // A new timer or socket, owned by `parent`.
    virtual Timer* createTimer(QObject* parent) = 0;
    virtual ClientSocket* createSocket(QObject* parent) = 0;
    virtual SettingsStore& settings() = 0;
    virtual FileDialog& fileDialog() = 0;
    virtual MessageBox& messageBox() = 0;
    virtual SoundPlayer& sound() = 0;
    virtual Notifier& notifier() = 0;
    virtual ProcessLauncher& launcher() = 0;
    virtual Clock& clock() = 0;
    // Ends the program at once.
    virtual void endProcess() = 0;
};

} // namespace pollwick
