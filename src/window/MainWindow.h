#pragma once

#include "window/ui_MainWindow.h"

#include <QWidget>

#include <cstdint>
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
class ResponseWalk;
class ScanController;
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
// focus. The window keeps its state where a person sees it: in its controls
// (which are enabled, what the boxes hold), its timers and socket, and one
// flag, matchArmed. Behaviour lives in one handler class per subsystem:
// ScanController and ListExchange (scanning), MatchHandlers and MatchActions
// (matching and alerting), GamePathsController (game paths) and
// MainWindowLifecycle (load, start-up check, width, close). Each is given,
// when it is made, the controls, timers, socket and services it uses, and
// nothing else: no handler reaches another through the window.
// connectHandlers() is the one table of which control drives which handler.
class MainWindow final : public QWidget, public Ui::MainWindow
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MainWindow)

public:
    // Creates the window and runs its load handler.
    explicit MainWindow(Platform& platform, QWidget* parent = nullptr);
    ~MainWindow() override;

    ScanController& scan() { return *m_scan; }
    ListExchange& exchange() { return *m_exchange; }
    GamePathsController& paths() { return *m_paths; }
    [[nodiscard]] const StatusLine& status() const { return *m_status; }

    // Non-visual components
    std::unique_ptr<Timer> startupCheckTimer; // one-shot start-up check
    std::unique_ptr<Timer> serverChoiceTimer; // polls the list-server choice
    std::unique_ptr<Timer> requeryTimer; // re-queries while scanning
    std::unique_ptr<ClientSocket> listSocket;

    // 1 while a match may still run the match actions.
    std::int32_t matchArmed = 0;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // What MainWindow.ui cannot hold: the fonts and what follows from them.
    void finishControls();
    // Focuses the first control of the tab order that can take the focus.
    void focusFirstControl();
    void connectHandlers();

    // The entries of the list server's response.
    std::unique_ptr<ResponseWalk> m_buffers;
    std::unique_ptr<StatusLine> m_status;
    std::unique_ptr<PathsDialog> m_pathsDialog;
    std::unique_ptr<ScanController> m_scan;
    std::unique_ptr<ListExchange> m_exchange;
    std::unique_ptr<MatchActions> m_actions;
    std::unique_ptr<MatchHandlers> m_match;
    std::unique_ptr<GamePathsController> m_paths;
    std::unique_ptr<MainWindowLifecycle> m_lifecycle;
};

} // namespace pollwick
