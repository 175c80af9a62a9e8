#pragma once

namespace pollwick {

class Form1;

enum class ScanState {
    AwaitingServer, // no list server chosen yet; Timer2 polls the choice
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

    explicit ScanController(Form1& form);

    // Every 100 ms until a list server is chosen: then opens the frames and
    // "Go", and stops for good.
    void Timer2_Timer();
    // "Go": arms the alert, queries the list server and locks the criteria
    // and alerts for the length of the scan.
    void Command1_Click();
    // "Stop": unlocks the controls and stops re-querying. The connection stays
    // open and the alert armed, so a list still on its way is handled.
    void Command2_Click();
    // Every 5000 ms while scanning: a fresh connection, a fresh list.
    void Refresh1_Timer();

    // Criteria and alert controls as a stopped scan leaves them: each field
    // enabled while its box is ticked, the boxes, the list-server choice and
    // "Go" enabled, "Stop" disabled.
    void restoreIdleControls();

    [[nodiscard]] ScanState state() const;

private:
    // Closes the connection and opens a new one to the chosen list server.
    void queryListServer();

    Form1& m_form;
};

} // namespace pollwick
