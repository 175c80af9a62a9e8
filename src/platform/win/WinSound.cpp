// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/win/WinSound.h"

// clang-format off
// <mmsystem.h> needs the types that <windows.h> defines: keep this order.
#include <windows.h>
#include <mmsystem.h>
// clang-format on

namespace pollwick::winsound {

bool isDiskFile(const std::string& windows1252FileName)
{
    // No access is asked for: the handle only tells what the name is. A
    // folder does not open without FILE_FLAG_BACKUP_SEMANTICS.
    HANDLE file = CreateFileA(windows1252FileName.c_str(), 0,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    const bool onDisk = GetFileType(file) == FILE_TYPE_DISK;
    CloseHandle(file);
    return onDisk;
}

void playSync(const std::string& windows1252FileName)
{
    // Synchronous, and the system's default sound when the file cannot be
    // played. Whether anything was heard changes nothing for the caller.
    if (isDiskFile(windows1252FileName)) {
        sndPlaySoundA(windows1252FileName.c_str(), SND_SYNC);
    } else {
        PlaySoundA("SystemDefault", nullptr, SND_ALIAS | SND_SYNC);
    }
}

} // namespace pollwick::winsound
