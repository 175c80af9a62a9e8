// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QWidget;

namespace Ui {
class MainWindow;
}

namespace pollwick {

enum class ScanState;

// The main window's controls are Ui::MainWindow, made from MainWindow.ui.
// These are the changes to them that more than one handler makes, or that
// follow the scan's state.

// Which controls can be used in each state of the scan:
// - waiting for a list server: the list-server choice; the criteria and
//   alerts, "Go" and "Stop" not;
// - ready: the list-server choice, the criteria and alerts (each field while
//   its box is ticked), "Go"; "Stop" not;
// - scanning: "Stop"; the list-server choice, "Go", and every box and field
//   of the criteria and alerts not (they keep their values).
// "Show List", "Wombix Paths" and the server list can always be used.
void showScanState(const Ui::MainWindow& controls, ScanState state);

// The wave file's box and its "..." button usable while "Play Wav File" is
// ticked.
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
