// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/scan/ScanEngine.h"

#include <QWidget>

#include <memory>

namespace Ui {
class MainWindow;
}

namespace pollwick {

class ListConnection;
class PathsDialog;
class Platform;
class Timer;

// The main window: list-server choice, match criteria, alerts, Go and Stop,
// and the server list that "Show List" widens the window to reveal.
//
// The window tells the scan engine what the person did and shows what the
// engine reports; the engine decides everything else (when a server counts
// as chosen, what a query does, how a list ended, what the status line
// says, which controls can be used in each state). The window keeps only
// what is the toolkit's: the controls, the alerts of a match (the task bar,
// the notification, the sound, the message box, the game), and its own
// life (load, the start-up check for game paths, "Show List", close).
//
// The controls are designed in MainWindow.ui (its places, captions, first
// texts and states, and the tab order); the window adds in code only what
// depends on the running system: the fonts, which a .ui file cannot give in
// fractions of a point, what follows from their metrics, and the first
// focus. connectHandlers() is the one table of which control or timer
// drives which handler.
class MainWindow final : public QWidget, private ScanEngine::Listener
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MainWindow)

public:
    // Creates the window and runs its load: the game paths into the Paths
    // dialog, the start-up check in 500 ms, the server list's columns.
    explicit MainWindow(Platform& platform, QWidget* parent = nullptr);
    ~MainWindow() override;

    [[nodiscard]] const ScanEngine& engine() const { return *m_engine; }
    [[nodiscard]] PathsDialog& pathsDialog() { return *m_pathsDialog; }

    // Every 100 ms until a list server is chosen.
    void pollServerChoice();
    // "Go": scans the chosen list server at once and every 5000 ms.
    void startScan();
    // "Stop".
    void stopScan();
    // 500 ms after load, once: with no game path known, asks for them.
    void checkGamePaths();
    // "Show List" widens the window to reveal the server list.
    void applyListWidth();
    // "Wombix Paths": the dialog with the stored paths, the main window
    // waiting until it is given back.
    void openPathsDialog();
    // "...": chooses the wave file.
    void chooseWaveFile();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // What the scan engine reports.
    void stateChanged(ScanState state) override;
    void statusChanged() override;
    void responseStarted() override;
    void recordListed(const ServerRecord& record) override;
    void pieceWalked() override;
    void matched(const ServerRecord& record, ParsedFields fromLine) override;
    std::optional<MatchCriteria> currentCriteria() override;

    void finishControls();
    void focusFirstControl();
    void connectHandlers();
    void launchGame(const ServerRecord& matched, ParsedFields fromLine);

    Platform& m_platform;
    std::unique_ptr<Ui::MainWindow> m_ui;
    std::unique_ptr<PathsDialog> m_pathsDialog;
    std::unique_ptr<Timer> m_startupCheckTimer;
    std::unique_ptr<Timer> m_serverChoiceTimer;
    std::unique_ptr<Timer> m_requeryTimer;
    std::unique_ptr<ListConnection> m_connection;
    std::unique_ptr<ScanEngine> m_engine;
    QString m_lastWaveFile; // the chooser starts where it was left
};

} // namespace pollwick
