#pragma once

#include <QString>

namespace pollwick {

class SoundPlayer;

namespace Module1 {

// Plays the wave file to its end; a default alert stands in for a file that
// cannot be played.
void PlayWaveFile(SoundPlayer& sound, const QString& path);

} // namespace Module1
} // namespace pollwick
