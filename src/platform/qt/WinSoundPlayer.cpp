#include "core/Windows1252.h"
#include "platform/SoundPlayer.h"
#include "platform/qt/QtPlatform.h"

#include <mmsystem.h>
#include <windows.h>

namespace pollwick {
namespace {

// Windows plays the file itself: synchronously, and with the system's
// default sound when the file cannot be played (flags 0).
class WinSoundPlayer final : public SoundPlayer
{
public:
    void playSync(const QString& path) override
    {
        const std::string name = cp1252::fromUtf8(path.toStdString());
        sndPlaySoundA(name.c_str(), 0);
    }
};

} // namespace

std::unique_ptr<SoundPlayer> createSystemSoundPlayer()
{
    return std::make_unique<WinSoundPlayer>();
}

} // namespace pollwick
