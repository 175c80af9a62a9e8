#pragma once

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace pollwick {

class ServerListView;
enum class ScanState;

// The controls of the main window. The window keeps its state where a person
// sees it: which controls are enabled, what the boxes hold, which boxes are
// ticked. MainWindow makes them; each handler is given this structure (and the
// timers, socket and services it uses) and reads and switches the controls
// directly, as the window's event handlers do.
struct MainWindowControls {
    // "Server Selection"
    QGroupBox* serverGroup = nullptr;
    QComboBox* hostCombo = nullptr;
    // "Misc"
    QGroupBox* miscGroup = nullptr;
    QCheckBox* showListCheck = nullptr; // "Show List"
    // "Notify Configuration"
    QGroupBox* alertsGroup = nullptr;
    QCheckBox* messageCheck = nullptr;
    QLineEdit* messageEdit = nullptr;
    QCheckBox* waveCheck = nullptr;
    QLineEdit* waveFileEdit = nullptr;
    QPushButton* waveFileButton = nullptr; // chooses the wave file
    QCheckBox* launchCheck = nullptr;
    QCheckBox* privateCheck = nullptr;
    // "Scanning Details"
    QGroupBox* criteriaGroup = nullptr;
    QCheckBox* versionCheck = nullptr;
    QComboBox* versionCombo = nullptr;
    QCheckBox* nameCheck = nullptr;
    QLineEdit* nameEdit = nullptr;
    QCheckBox* addressCheck = nullptr;
    QLineEdit* addressEdit = nullptr;
    QCheckBox* gameTypeCheck = nullptr;
    QComboBox* gameTypeCombo = nullptr;
    // On the window itself
    QPushButton* pathsButton = nullptr; // "Wombix Paths"
    QPushButton* goButton = nullptr; // "Go"
    QPushButton* stopButton = nullptr; // "Stop"
    QLabel* statusLabel = nullptr; // one-line scan status
    ServerListView* serverList = nullptr;
};

// Which controls can be used in each state of the scan:
// - waiting for a list server: the list-server choice; the criteria and
//   alerts, "Go" and "Stop" not;
// - ready: the list-server choice, the criteria and alerts (each field while
//   its box is ticked), "Go"; "Stop" not;
// - scanning: "Stop"; the list-server choice, "Go", and every box and field
//   of the criteria and alerts not (they keep their values).
// "Show List", "Wombix Paths" and the server list can always be used.
void showScanState(const MainWindowControls& controls, ScanState state);

// The wave file's box and its "..." button usable while "Play Wav File" is
// ticked.
void enableWaveFileIfTicked(const MainWindowControls& controls);

// The main window's client area, in twips: narrow hides the server list,
// wide shows it.
inline constexpr int kNarrowClientWidthTwips = 4320;
inline constexpr int kWideClientWidthTwips = 9825;
inline constexpr int kClientHeightTwips = 6285;

// Sets the client area's width (the height stays). The server list takes the
// focus only while the window shows it.
void setClientWidthTwips(QWidget& window, const MainWindowControls& controls, int widthTwips);

} // namespace pollwick
