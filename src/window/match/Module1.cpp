#include "window/match/Module1.h"

#include "platform/SoundPlayer.h"

namespace pollwick::Module1 {

void PlayWaveFile(SoundPlayer& sound, const QString& path)
{
    sound.playSync(path);
}

} // namespace pollwick::Module1
