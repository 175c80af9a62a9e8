// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "window/ui_MainWindow.h"

#include <QWidget>

#include <memory>

namespace pollwick {

class ClientSocket;
class GamePathsController;
class ListExchange;
class MainWindowLifecycle;
class MatchActions;
class MatchHandlers;
class PathsDialog;
class Platform;
class ScanController;
class ScanSession;
class StatusLine;
class Timer;

// The main window: list-server choice, match criteria, alerts, Go and Stop,
// and the server list that "Show List" widens the window to reveal.
//
// The controls are designed in MainWindow.ui: their places, captions,
// starting texts and states, and the tab order (Ui::MainWindow, whose members
// hostCombo, goButton, ... the window inherits). The window adds in code only
// what depends on the running system: the fonts, which a .ui file cannot give
// in fractions of a point, what follows from their metrics, and the first
// focus.
//
// Whether a scan runs and whether a match may still alert the user is kept
// by one object, the ScanSession; the controls' enabled states follow it.
// Behaviour lives in one handler class per subsystem: ScanController and
// ListExchange (scanning), MatchHandlers and MatchActions (matching and
// alerting), GamePathsController (game paths) and MainWindowLifecycle
// (load, start-up check, width). Each is given, when it is made, the
// controls, timers, socket and services it uses, and nothing else: no
// handler reaches another through the window. connectHandlers() is the one
// table of which control, timer or signal drives which handler. Timers,
// socket and handlers are the window's children and go with it; the game
// paths dialog, a window of its own, is kept until the window goes.
class MainWindow final : public QWidget, public Ui::MainWindow
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MainWindow)

public:
    // Creates the window and runs its load handler.
    explicit MainWindow(Platform& platform, QWidget* parent = nullptr);
    ~MainWindow() override;

    [[nodiscard]] const ScanSession& session() const { return *m_session; }
    [[nodiscard]] const ListExchange& exchange() const { return *m_exchange; }
    [[nodiscard]] PathsDialog& pathsDialog() { return *m_pathsDialog; }
    [[nodiscard]] const StatusLine& status() const { return *m_status; }

    // Non-visual components
    Timer* startupCheckTimer; // one-shot start-up check
    Timer* serverChoiceTimer; // polls the list-server choice
    Timer* requeryTimer; // re-queries while scanning
    ClientSocket* listSocket;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // What MainWindow.ui cannot hold: the fonts and what follows from them.
    void finishControls();
    // Focuses the first control of the tab order that can take the focus.
    void focusFirstControl();
    void connectHandlers();

    Platform& m_platform;
    std::unique_ptr<PathsDialog> m_pathsDialog;
    ScanSession* m_session;
    StatusLine* m_status;
    ScanController* m_scan;
    MatchActions* m_actions;
    MatchHandlers* m_match;
    ListExchange* m_exchange;
    GamePathsController* m_paths;
    MainWindowLifecycle* m_lifecycle;
};

} // namespace pollwick
