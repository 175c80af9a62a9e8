#include "platform/win/WinSound.h"

// clang-format off
// <mmsystem.h> needs the types that <windows.h> defines: keep this order.
#include <windows.h>
#include <mmsystem.h>
// clang-format on

namespace pollwick::winsound {

void playSync(const std::string& windows1252FileName)
{
    // Flags 0: synchronous, and the system's default sound when the file
    // cannot be played. Whether anything was heard changes nothing for the
    // caller.
    sndPlaySoundA(windows1252FileName.c_str(), 0);
}

} // namespace pollwick::winsound
