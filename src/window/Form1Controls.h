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

// The controls of the main window. The window keeps its state where a person
// sees it: which controls are enabled, what the boxes hold, which boxes are
// ticked. Form1 makes them; each handler is given this structure (and the
// timers, socket and services it uses) and reads and switches the controls
// directly, as the window's event handlers do.
struct Form1Controls {
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
};

// The criteria and alert controls as a scan that has ended leaves them, by
// "Stop" or by a match: each field usable while its box is ticked, the
// boxes, the list-server choice and "Go" usable, "Stop" not.
void restoreIdleControls(const Form1Controls& controls);

// WaveFile and its "..." button usable while WaveCheck is ticked: the button
// first when enabling, last when disabling.
void enableWaveFileIfTicked(const Form1Controls& controls);

// The main window's client area, in twips: narrow hides the server list,
// wide shows it.
inline constexpr int kNarrowClientWidthTwips = 4320;
inline constexpr int kWideClientWidthTwips = 9825;
inline constexpr int kClientHeightTwips = 6285;

// Sets the client area's width (the height stays). The server list takes the
// focus only while the window shows it.
void setClientWidthTwips(QWidget& window, const Form1Controls& controls, int widthTwips);

} // namespace pollwick
