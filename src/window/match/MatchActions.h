// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/ServerRecord.h"

#include <QObject>
#include <QString>

class QWidget;

namespace Ui {
class MainWindow;
}

namespace pollwick {

class ClientSocket;
class FileDialog;
class MessageBox;
class Notifier;
class PathsDialog;
class ScanSession;
class ProcessLauncher;
class SoundPlayer;
class StatusLine;
class Timer;

// The services through which a match reaches the user and the game.
struct AlertServices {
    SoundPlayer& sound;
    Notifier& notifier;
    MessageBox& messageBox;
    FileDialog& fileDialog;
    ProcessLauncher& launcher;
};

// What a match does: ends the scan and, when the user ticked any alert in
// "Notify Configuration", asks for the user's attention (the window marked in
// the task bar, a "Server Up" desktop notification), then alerts the user as
// chosen (a sound, the "Server Up" message box) and may start the game
// edition that plays the matched server's version, connected to it.
class MatchActions final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MatchActions)

public:
    // `window` is the main window (the dialogs' parent); `session` is the
    // scan that a match ends and disarms; `pathsDialog` holds the game paths
    // that a launch reads.
    MatchActions(QWidget& window, const Ui::MainWindow& controls, ScanSession& session,
                 ClientSocket& listSocket, Timer& requeryTimer, StatusLine& status,
                 const PathsDialog& pathsDialog, AlertServices services);
    ~MatchActions() override;

    // Runs on a match while the alert is armed; returns when the sound has
    // played and the message box is closed.
    void runMatchActions(const ServerRecord& matched, ParsedFields fromLine);

    // The wave file's box and its "..." while "Play Wav File" is ticked.
    void enableWaveFileFields();
    // The message's box while "Message Box" is ticked.
    void enableMessageField();
    // Chooses the wave file.
    void chooseWaveFile();

private:
    void launchGame(const ServerRecord& matched, ParsedFields fromLine);

    QWidget& m_window;
    const Ui::MainWindow& m_controls;
    ScanSession& m_session;
    ClientSocket& m_socket;
    Timer& m_requeryTimer;
    StatusLine& m_status;
    const PathsDialog& m_paths;
    AlertServices m_services;
    QString m_lastWaveFile; // the chooser starts where it was left
};

} // namespace pollwick
