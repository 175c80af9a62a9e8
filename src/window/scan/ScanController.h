#pragma once

#include <cstdint>

namespace Ui {
class MainWindow;
}

namespace pollwick {

class ClientSocket;
class ResponseWalk;
class StatusLine;
class Timer;

enum class ScanState {
    AwaitingServer, // no list server chosen yet; serverChoiceTimer polls the choice
    Ready, // criteria and alerts can be set; "Go" starts a scan
    Scanning, // the list server is queried at once and every 5000 ms
};

// Starting, repeating and stopping the queries to the list server. The state
// is not kept apart: it is what the controls and timers of the window show.
class ScanController final
{
public:
    static constexpr int kListServerPort = 10057;
    static constexpr int kRefreshMilliseconds = 5000;

    // `walk` holds the entries of the response lines, which "Go" empties;
    // `matchArmed` is the window's flag that "Go" raises.
    ScanController(const Ui::MainWindow& controls, ClientSocket& listSocket,
                   Timer& serverChoiceTimer, Timer& requeryTimer, ResponseWalk& walk,
                   std::int32_t& matchArmed, StatusLine& status);

    // Every 100 ms until a list server is chosen: then opens the frames and
    // "Go", and stops for good.
    void checkServerChoice();
    // "Go": arms the alert, queries the list server and locks the criteria
    // and alerts for the length of the scan.
    void startScan();
    // "Stop": unlocks the controls and stops re-querying. The connection stays
    // open and the alert armed, so a list still on its way is handled.
    void stopScan();
    // Every 5000 ms while scanning: a fresh connection, a fresh list.
    void requery();

    [[nodiscard]] ScanState state() const;

private:
    // Closes the connection and opens a new one to the chosen list server.
    void queryListServer();

    const Ui::MainWindow& m_controls;
    ClientSocket& m_socket;
    Timer& m_serverGate;
    Timer& m_refresh;
    ResponseWalk& m_walk;
    std::int32_t& m_matchArmed;
    StatusLine& m_status;
};

} // namespace pollwick
