// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>

namespace pollwick {

enum class ScanState : std::uint8_t {
    AwaitingServer, // no list server chosen yet
    Ready, // criteria and alerts can be set; "Go" starts a scan
    Scanning, // the list server is asked at once and then every 5000 ms
};

// The boxes of the main window that switch a field of their own: each field
// can be used between scans while its box is ticked.
struct TickedBoxes {
    bool message = false; // "Message Box": its text
    bool wave = false; // "Play Wav File": the wave file's box and its "..."
    bool version = false;
    bool name = false;
    bool address = false;
    bool gameType = false;
};

// Which controls of the main window can be used in a state of the scan.
// "Show List", "Wombix Paths" and the server list can always be used.
struct UsableControls {
    bool host = false; // the list server's box
    bool criteriaFrame = false; // "Scanning Details"
    bool alertsFrame = false; // "Notify Configuration"
    bool boxes = false; // every check box inside the two frames
    bool messageText = false;
    bool waveFile = false; // the wave file's box and its "..."
    bool versionField = false;
    bool nameField = false;
    bool addressField = false;
    bool gameTypeField = false;
    bool go = false;
    bool stop = false;

    friend bool operator==(const UsableControls&, const UsableControls&) = default;
};

// - waiting for a list server: the list server's box; the frames, "Go" and
//   "Stop" not (the boxes inside the frames are enabled, but unreachable);
// - ready: the list server's box, the frames with their boxes, each field
//   while its box is ticked, and "Go";
// - scanning: "Stop" and the frames; nothing inside them, so that their
//   values stay readable but cannot change.
UsableControls usableControls(ScanState state, const TickedBoxes& ticked);

} // namespace pollwick
