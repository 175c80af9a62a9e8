// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/scan/ScanState.h"

namespace pollwick {

UsableControls usableControls(ScanState state, const TickedBoxes& ticked)
{
    const bool chosen = state != ScanState::AwaitingServer;
    const bool idle = state != ScanState::Scanning;
    // While waiting for a list server the boxes inside the frames are
    // enabled, unreachable inside their disabled frames; while scanning the
    // frames stay enabled and everything inside them is locked.
    UsableControls usable;
    usable.host = idle;
    usable.criteriaFrame = chosen;
    usable.alertsFrame = chosen;
    usable.boxes = idle;
    const bool fields = chosen && idle;
    usable.messageText = fields && ticked.message;
    usable.waveFile = fields && ticked.wave;
    usable.versionField = fields && ticked.version;
    usable.nameField = fields && ticked.name;
    usable.addressField = fields && ticked.address;
    usable.gameTypeField = fields && ticked.gameType;
    usable.go = fields;
    usable.stop = !idle;
    return usable;
}

} // namespace pollwick
