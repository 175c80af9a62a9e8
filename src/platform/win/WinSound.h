#pragma once

#include <string>

// Windows' own sound playing, without Qt, so that it builds and is tested in
// the Windows build of the core.
namespace pollwick::winsound {

// Plays a wave file to its end before returning. The name is in Windows-1252,
// the code page of the "A" functions. A file that cannot be played gives the
// system's default sound instead; when that cannot be played either (no
// sound device), it returns at once.
void playSync(const std::string& windows1252FileName);

} // namespace pollwick::winsound
