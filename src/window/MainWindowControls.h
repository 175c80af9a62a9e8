#pragma once

class QWidget;

namespace Ui {
class MainWindow;
}

namespace pollwick {

// The main window's controls are Ui::MainWindow, made from MainWindow.ui.
// The window keeps its state where a person sees it: which controls are
// enabled, what the boxes hold, which boxes are ticked. Each handler is given
// the controls (and the timers, socket and services it uses) and reads and
// switches them directly, as the window's event handlers do; these are the
// changes that more than one handler makes.

// The criteria and alert controls as a scan that has ended leaves them, by
// "Stop" or by a match: each field usable while its box is ticked, the
// boxes, the list-server choice and "Go" usable, "Stop" not.
void restoreIdleControls(const Ui::MainWindow& controls);

// waveFileEdit and its "..." button usable while waveCheck is ticked: the button
// first when enabling, last when disabling.
void enableWaveFileIfTicked(const Ui::MainWindow& controls);

// The main window's client area, in twips: narrow hides the server list,
// wide shows it. MainWindow.ui draws the window narrow, in pixels.
inline constexpr int kNarrowClientWidthTwips = 4320;
inline constexpr int kWideClientWidthTwips = 9825;
inline constexpr int kClientHeightTwips = 6285;

// Sets the client area's width (the height stays). The server list takes the
// focus only while the window shows it.
void setClientWidthTwips(QWidget& window, const Ui::MainWindow& controls, int widthTwips);

} // namespace pollwick
