#pragma once

#include <QWidget>

#include <cstdint>
#include <memory>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace pollwick {

class ClientSocket;
class GamePathsController;
class ListExchange;
class MainWindowLifecycle;
class MatchActions;
class MatchHandlers;
class Platform;
class ScanController;
class ServerListView;
class StatusLine;
class Timer;

// Form1, the main window: list-server choice, match criteria, alerts, Go and
// Stop, and the server list that "Show List" widens the window to reveal.
//
// The window keeps its state where a person sees it: in its controls (which
// are enabled, what the boxes hold, which timers run) and in one flag,
// MatchArmed. Behaviour lives in one handler class per subsystem, each given
// this window: ScanController and ListExchange (scanning), MatchHandlers and
// MatchActions (matching and alerting), GamePathsController (game paths) and
// MainWindowLifecycle (load, start-up check, width, close). connectHandlers()
// is the one table of which control drives which handler.
//
// Controls, timers and handlers keep their designer names (Command1,
// RemHost, Refresh1_Timer, Winsock1_DataArrival, ...) rather than the
// camelCase of the rest of the code, so that a control, its event and its
// handler read alike.
class Form1 final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Form1)

public:
    static constexpr int kNarrowClientWidthTwips = 4320;
    static constexpr int kWideClientWidthTwips = 9825;
    static constexpr int kClientHeightTwips = 6285;

    // Creates the window and runs its load handler.
    explicit Form1(Platform& platform, QWidget* parent = nullptr);
    ~Form1() override;

    [[nodiscard]] Platform& platform() const { return m_platform; }

    ScanController& scan() { return *m_scan; }
    ListExchange& exchange() { return *m_exchange; }
    MatchHandlers& match() { return *m_match; }
    MatchActions& actions() { return *m_actions; }
    GamePathsController& paths() { return *m_paths; }
    MainWindowLifecycle& lifecycle() { return *m_lifecycle; }
    StatusLine& status() { return *m_status; }

    // "Server Selection"
    QGroupBox* Frame3 = nullptr;
    QComboBox* RemHost = nullptr;
    // "Misc"
    QGroupBox* Frame4 = nullptr;
    QCheckBox* Check1 = nullptr; // "Show List"
    // "Notify Configuration"
    QGroupBox* Frame2 = nullptr;
    QCheckBox* MsgCheck = nullptr;
    QLineEdit* MsgMsg = nullptr;
    QCheckBox* WaveCheck = nullptr;
    QLineEdit* WaveFile = nullptr;
    QPushButton* Command3 = nullptr; // chooses the wave file
    QCheckBox* WombixCheck = nullptr;
    QCheckBox* ScanCheck = nullptr;
    // "Scanning Details"
    QGroupBox* Frame1 = nullptr;
    QCheckBox* VersionCheck = nullptr;
    QComboBox* Combo2 = nullptr;
    QCheckBox* NameCheck = nullptr;
    QLineEdit* FName = nullptr;
    QCheckBox* IPCheck = nullptr;
    QLineEdit* fIP = nullptr;
    QCheckBox* GameCheck = nullptr;
    QComboBox* Combo3 = nullptr;
    // On the window itself
    QPushButton* Command5 = nullptr; // "Wombix Paths"
    QPushButton* Command1 = nullptr; // "Go"
    QPushButton* Command2 = nullptr; // "Stop"
    QLabel* Label1 = nullptr; // one-line scan status
    ServerListView* ListView1 = nullptr;

    // Non-visual components
    std::unique_ptr<Timer> Timer1; // one-shot start-up check
    std::unique_ptr<Timer> Timer2; // polls the list-server choice
    std::unique_ptr<Timer> Refresh1; // re-queries while scanning
    std::unique_ptr<ClientSocket> Winsock1;

    // 1 while a match may still run the match actions.
    std::int32_t MatchArmed = 0;

    // Sets the client area's width in twips (the height stays).
    void setClientWidthTwips(int widthTwips);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createControls();
    void setTabOrder();
    void connectHandlers();

    Platform& m_platform;
    std::unique_ptr<StatusLine> m_status;
    std::unique_ptr<ScanController> m_scan;
    std::unique_ptr<ListExchange> m_exchange;
    std::unique_ptr<MatchHandlers> m_match;
    std::unique_ptr<MatchActions> m_actions;
    std::unique_ptr<GamePathsController> m_paths;
    std::unique_ptr<MainWindowLifecycle> m_lifecycle;
};

} // namespace pollwick
