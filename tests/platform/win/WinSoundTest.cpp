// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/win/WinSound.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <windows.h>

namespace pollwick::winsound {
namespace {

// Only a file on disk is handed to the system; for anything else, and for a
// file that does not exist, the call falls back to the system's default
// sound. With no sound device at all it must still come back rather than
// wait for a sound that never ends.
TEST(WinSound, OnlyAFileOnDiskIsPlayedAndEveryCallReturns)
{
    char folder[MAX_PATH + 1] = {};
    ASSERT_NE(GetTempPathA(sizeof folder, folder), 0U);
    const std::string file = std::string(folder) + "pollwick sound \xE9.wav";
    std::ofstream(file, std::ios::binary) << "RIFF";
    const std::string pipeName = "\\\\.\\pipe\\pollwick-sound-test";
    HANDLE pipe = CreateNamedPipeA(pipeName.c_str(), PIPE_ACCESS_INBOUND, PIPE_TYPE_BYTE, 1, 0, 0,
                                   0, nullptr);
    ASSERT_NE(pipe, INVALID_HANDLE_VALUE);
    const struct {
        std::string name;
        bool onDisk;
    } cases[] = {
        {file, true},
        {folder, false},
        {"NUL", false},
        {pipeName, false},
        {"C:\\no such folder\\no such sound \xE9.wav", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(isDiskFile(c.name), c.onDisk) << c.name;
        playSync(c.name);
    }
    CloseHandle(pipe);
    DeleteFileA(file.c_str());
}

} // namespace
} // namespace pollwick::winsound
