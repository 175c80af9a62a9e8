// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/WaveHeader.h"
#include "platform/win/WinPlatform.h"

#include <chrono>
#include <memory>
#include <string>

namespace pollwick::win {

// What plays the sound: the system (winmm's PlaySoundW), or a test's fake,
// since there is no sound device under test. playFile() and playDefault()
// play to the end before they return, and are called on a worker thread;
// stop() ends whatever plays, from any thread.
class SoundOutput
{
public:
    virtual ~SoundOutput() = default;
    virtual void playFile(const std::wstring& path) = 0;
    virtual void playDefault() = 0;
    virtual void stop() = 0;
};

// winmm: PlaySoundW with SND_SYNC, the system's default sound ("SystemDefault")
// when the file cannot be played.
std::shared_ptr<SoundOutput> systemSoundOutput();

// Plays only a regular file on disk (no pipe, device or folder) whose wave
// header readWaveHeader() takes and finds complete; anything else gets the
// system's default sound.
//
// The window is never frozen by the sound: it plays on a worker thread while
// this thread waits, handling posted, sent and paint messages (timers,
// sockets, repaints) but leaving the person's input in the queue for
// afterwards; the wait ends with the sound, or after soundWait() of its
// length (the default sound counts as no length), whichever comes first,
// and the sound is then stopped. A header that lies, or an audio system
// that never reports the end, costs at most that wait.
class WinSoundPlayer final : public SoundPlayer
{
public:
    explicit WinSoundPlayer(std::shared_ptr<SoundOutput> output = systemSoundOutput(),
                            std::chrono::milliseconds longestWait = kLongestSoundWait);

    void playSync(const std::wstring& path) override;

private:
    std::shared_ptr<SoundOutput> m_output;
    std::chrono::milliseconds m_longestWait;
};

} // namespace pollwick::win
