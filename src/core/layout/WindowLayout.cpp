// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/layout/WindowLayout.h"

#include <algorithm>
#include <array>

namespace pollwick::layout {
namespace {

using enum Kind;
using enum Font;

// The working buffers of the list (the answer's text and its lines) are
// kept in memory, not in hidden controls, and the timers, the connection
// and the file dialogs are no controls: none of them is here.
constexpr std::array kMainControls = std::to_array<Control>({
    {"serverGroup", Frame, "", "Server Selection", 120, 120, 2295, 735, 17, true,
     "Please Select A Server Before Continuing", Arial},
    {"miscGroup", Frame, "", "Misc", 2520, 120, 1695, 735, 27, true, "", WindowFont},
    {"alertsGroup", Frame, "", "Notify Configuration", 120, 960, 4095, 2055, 9, false, "", Arial},
    {"criteriaGroup", Frame, "", "Scanning Details", 120, 3120, 4095, 2175, 0, false, "", Arial},
    {"pathsButton", Button, "", "Wombix Paths", 120, 5400, 1335, 495, 25, true,
     "Change Wombix Paths", ArialBold},
    {"goButton", Button, "", "Go", 1560, 5400, 1335, 495, 10, false, "Begin Scanning", Arial},
    {"stopButton", Button, "", "Stop", 2880, 5400, 1335, 495, 11, false, "Stop Scanning", Arial},
    {"statusLabel", Label, "", "", 120, 6000, 4095, 255, 26, true, "", Arial},
    {"serverList", ListView, "", "", 4320, 195, 5445, 5970, 20, true, "", Tahoma9},

    {"hostCombo", ComboBox, "serverGroup", "List Server Select", 120, 240, 2055, 330, 18, true, "",
     Arial},

    {"showListCheck", CheckBox, "miscGroup", "Show List", 120, 240, 1455, 255, 28, true, "",
     WindowFont},

    {"messageCheck", CheckBox, "alertsGroup", "Message Box", 120, 240, 1935, 255, 12, true,
     "Leave Blank if MessageBox Alert is not desired", WindowFont},
    {"messageEdit", TextBox, "alertsGroup", "Message Box Message", 1920, 240, 2055, 330, 16, false,
     "", WindowFont},
    {"waveCheck", CheckBox, "alertsGroup", "Play Wav File", 120, 720, 1335, 255, 13, true,
     "Leave Blank if No Wav File is desired", WindowFont},
    {"waveFileEdit", TextBox, "alertsGroup", "Wav Path", 1920, 720, 2055, 330, 14, false, "",
     WindowFont},
    {"waveFileButton", Button, "alertsGroup", "...", 3600, 750, 360, 285, 15, false,
     "Select Wav File Path", WindowFont},
    {"launchCheck", CheckBox, "alertsGroup", "Launch Wombix When Server is Found", 120, 1200, 3855,
     255, 24, true, "Leave Blank if Autolaunch is not desired", WindowFont},
    {"privateCheck", CheckBox, "alertsGroup", "Include Scanning Private Servers", 120, 1680, 3015,
     255, 29, true, "", WindowFont},

    {"versionCheck", CheckBox, "criteriaGroup", "Version", 120, 240, 1095, 330, 1, true,
     "Leave Blank if Any Version is Acceptable", Arial},
    {"versionCombo", ComboBox, "criteriaGroup", "Version Select", 1920, 240, 2055, 330, 5, false,
     "", Arial},
    {"nameCheck", CheckBox, "criteriaGroup", "Name", 120, 720, 1095, 330, 2, true,
     "Leave Blank if Any Server Name is Acceptable", Arial},
    {"nameEdit", TextBox, "criteriaGroup", "Server Name", 1920, 720, 2055, 330, 6, false, "",
     WindowFont},
    {"addressCheck", CheckBox, "criteriaGroup", "IP", 120, 1200, 1095, 330, 3, true,
     "Leave Blank if Any IP Address is Acceptable", Arial},
    {"addressEdit", TextBox, "criteriaGroup", "IP Address", 1920, 1200, 2055, 330, 7, false, "",
     WindowFont},
    {"gameTypeCheck", CheckBox, "criteriaGroup", "Game Type", 120, 1680, 1215, 330, 4, true,
     "Leave Blank if Any Game Type is Acceptable", Arial},
    {"gameTypeCombo", ComboBox, "criteriaGroup", "Game Type Select", 1920, 1680, 2055, 330, 8,
     false, "", Arial},
});

constexpr std::array kPathsControls = std::to_array<Control>({
    {"normalLabel", Label, "", "1.21", 120, 120, 495, 255, 1, true, "", Arial},
    {"normalEdit", TextBox, "", "Path", 720, 120, 3255, 285, 0, true, "", Arial},
    {"normalButton", Button, "", "...", 3570, 150, 375, 230, 2, true, "Select 1.21 Path", Arial},
    {"corvaneLabel", Label, "", "1.21 x", 120, 600, 495, 255, 4, true, "", Arial},
    {"corvaneEdit", TextBox, "", "Path", 720, 600, 3255, 285, 3, true, "", Arial},
    {"corvaneButton", Button, "", "...", 3570, 630, 375, 230, 5, true, "Select Corvane Path",
     Arial},
    {"ambrelLabel", Label, "", "1.24", 120, 1080, 495, 255, 7, true, "", Arial},
    {"ambrelEdit", TextBox, "", "Path", 720, 1080, 3255, 285, 6, true, "", Arial},
    {"ambrelButton", Button, "", "...", 3570, 1110, 375, 230, 8, true, "Select Ambrel Path", Arial},
    {"pelloryLabel", Label, "", "1.24 x", 120, 1560, 495, 255, 10, true, "", Arial},
    {"pelloryEdit", TextBox, "", "Path", 720, 1560, 3255, 285, 9, true, "", Arial},
    {"pelloryButton", Button, "", "...", 3570, 1590, 375, 230, 11, true, "Select Pellory Path",
     Arial},
    {"acceptButton", Button, "", "Accept", 2280, 1920, 1695, 615, 12, true, "", Arial},
});

constexpr std::array kSplashControls = std::to_array<Control>({
    {"picture", Picture, "", "", 0, 0, 3750, 3750, 0, true, "", WindowFont},
});

} // namespace

const Window kMainWindow{"mainWindow", "Wombix Pollwick", kNarrowClientWidth, 6285, kMainControls};
const Window kPathsDialog{"pathsDialog", "Please Select Wombix Files", 4050, 2655, kPathsControls};
const Window kSplash{"splashScreen", "", 3750, 3750, kSplashControls};

const Control* find(const Window& window, std::string_view name)
{
    const auto found = std::find_if(window.controls.begin(), window.controls.end(),
                                    [&](const Control& control) { return control.name == name; });
    return found == window.controls.end() ? nullptr : &*found;
}

} // namespace pollwick::layout
