#pragma once

#include "window/Form1Controls.h"

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

// Form1, the main window: list-server choice, match criteria, alerts, Go and
// Stop, and the server list that "Show List" widens the window to reveal.
//
// The window keeps its state where a person sees it: in its controls
// (Form1Controls: which are enabled, what the boxes hold), its timers and
// socket, and one flag, MatchArmed. Behaviour lives in one handler class per
// subsystem: ScanController and ListExchange (scanning), MatchHandlers and
// MatchActions (matching and alerting), GamePathsController (game paths) and
// MainWindowLifecycle (load, start-up check, width, close). Each is given,
// when it is made, the controls, timers, socket and services it uses, and
// nothing else: no handler reaches another through the window.
// connectHandlers() is the one table of which control drives which handler.
//
// Controls, timers and handlers keep their designer names (Command1,
// RemHost, Refresh1_Timer, Winsock1_DataArrival, ...) rather than the
// camelCase of the rest of the code, so that a control, its event and its
// handler read alike.
class Form1 final : public QWidget, public Form1Controls
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Form1)

public:
    // Creates the window and runs its load handler.
    explicit Form1(Platform& platform, QWidget* parent = nullptr);
    ~Form1() override;

    ScanController& scan() { return *m_scan; }
    ListExchange& exchange() { return *m_exchange; }
    GamePathsController& paths() { return *m_paths; }
    [[nodiscard]] const StatusLine& status() const { return *m_status; }

    // Non-visual components
    std::unique_ptr<Timer> Timer1; // one-shot start-up check
    std::unique_ptr<Timer> Timer2; // polls the list-server choice
    std::unique_ptr<Timer> Refresh1; // re-queries while scanning
    std::unique_ptr<ClientSocket> Winsock1;

    // 1 while a match may still run the match actions.
    std::int32_t MatchArmed = 0;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createControls();
    void setTabOrder();
    void connectHandlers();

    // The buffers of the list server's response: Templist and ServList.
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
