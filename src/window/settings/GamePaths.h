#pragma once

#include "core/match/LaunchPlan.h"

#include <QString>

namespace pollwick {

class SettingsStore;

// The executable paths of the four game editions, each empty when not set.
// The working copy is the text of the Paths dialog's boxes; this is the
// stored copy.
struct GamePaths {
    QString Normal;
    QString Ambrel;
    QString Corvane;
    QString Pellory;

    [[nodiscard]] QString& of(GameEdition edition);
    [[nodiscard]] const QString& of(GameEdition edition) const;
    friend bool operator==(const GamePaths&, const GamePaths&) = default;
};

// Where the paths are stored: application "Wombix Pollwick", section
// "Paths", one key per edition ("Normal", "Ambrel", "Corvane", "Pellory").
namespace GamePathsStore {

// Reads the four keys; a key that is not there reads as empty.
GamePaths read(const SettingsStore& store);
// Writes all four keys, empty ones included; false when the store could not
// keep them all.
bool write(SettingsStore& store, const GamePaths& paths);
// Where the store keeps them, to tell the user.
QString location(const SettingsStore& store);

} // namespace GamePathsStore
} // namespace pollwick
