#include "platform/win/WinSound.h"

#include <gtest/gtest.h>

namespace pollwick::winsound {
namespace {

// A missing file falls back to the system's default sound; with no sound
// device at all the call must still come back rather than wait for a sound
// that never ends.
TEST(WinSound, ReturnsForAFileThatDoesNotExist)
{
    playSync("C:\\no such folder\\no such sound \xE9.wav");
}

} // namespace
} // namespace pollwick::winsound
