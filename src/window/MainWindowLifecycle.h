// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>

class QWidget;

namespace Ui {
class MainWindow;
}

namespace pollwick {

class MessageBox;
class PathsDialog;
class Timer;

// The main window's own life: load, the one-shot start-up check for game
// paths, and "Show List". (Closing the window ends the program: the window
// does that itself.)
class MainWindowLifecycle final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MainWindowLifecycle)

public:
    MainWindowLifecycle(QWidget& window, const Ui::MainWindow& controls, Timer& startupCheckTimer,
                        PathsDialog& pathsDialog, MessageBox& messageBox);
    ~MainWindowLifecycle() override;

    // Once, when the window is made: the stored paths into the Paths dialog,
    // the start-up check in 500 ms, the server list's columns.
    void load();
    // 500 ms after load, once: with no game path known, asks for them.
    void checkGamePaths();
    // "Show List" widens the window to reveal the server list.
    void applyListWidth();

private:
    QWidget& m_window;
    const Ui::MainWindow& m_controls;
    Timer& m_startupCheck;
    PathsDialog& m_paths;
    MessageBox& m_messageBox;
};

} // namespace pollwick
