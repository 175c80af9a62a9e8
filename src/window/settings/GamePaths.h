// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/match/LaunchPlan.h"

#include <QString>

namespace pollwick {

class SettingsStore;

// The executable paths of the four game editions, each empty when not set.
// The working copy is the text of the Paths dialog's boxes; this is the
// stored copy.
struct GamePaths {
    QString normal;
    QString ambrel;
    QString corvane;
    QString pellory;

    [[nodiscard]] QString& of(GameEdition edition);
    [[nodiscard]] const QString& of(GameEdition edition) const;
    friend bool operator==(const GamePaths&, const GamePaths&) = default;
};

// The paths are stored under application "Wombix Pollwick", section "Paths",
// one key per edition ("Normal", "Ambrel", "Corvane", "Pellory").

// Reads the four keys; a key that is not there reads as empty.
GamePaths readGamePaths(const SettingsStore& store);
// Writes all four keys, empty ones included; false when the store could not
// keep them all.
bool writeGamePaths(SettingsStore& store, const GamePaths& paths);
// Where the store keeps them, to tell the user.
QString gamePathsLocation(const SettingsStore& store);

} // namespace pollwick
