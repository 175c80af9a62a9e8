// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/WaveHeader.h"
#include "platform/SoundPlayer.h"

#include <chrono>
#include <functional>

class QUrl;

namespace pollwick {

// Plays wave files with Qt Multimedia (everywhere but Windows). The user
// picks the file, so only a regular file whose header holds up against the
// file's real size, in a format that real players use, is handed to Qt;
// anything else gets the program's own alert. The wait for a sound's end is
// bounded by its length, since an audio system may never report the end.
// With no audio output at all it returns at once: nothing could be heard,
// so the window must not wait.
class QtSoundPlayer final : public SoundPlayer
{
public:
    // How a source handed to Qt Multimedia came to an end.
    enum class SoundEnd {
        Ended, // the audio system reported the end of the sound
        WaitRanOut, // it started, but its end was not reported within the wait
        NotPlayed, // Qt could not play it, or it never started
    };
    // Told of every source handed to Qt Multimedia, once it is done with.
    using SoundHanded = std::function<void(const QUrl& source, SoundEnd end)>;

    // Whether the machine has an audio output to play on, as Qt Multimedia
    // sees it.
    static bool audioOutputPresent();

    // `hasAudioOutput` is asked before every sound. `longestWait` bounds the
    // wait for any one sound's end (tests shorten it, as a machine without
    // audio never reports an end). `handed`, when set, sees what Qt was
    // given to play and what became of it (the tests' view of Qt).
    explicit QtSoundPlayer(std::function<bool()> hasAudioOutput = audioOutputPresent,
                           std::chrono::milliseconds longestWait = kLongestSoundWait,
                           SoundHanded handed = {});

    void playSync(const QString& path) override;

private:
    std::function<bool()> m_hasAudioOutput;
    std::chrono::milliseconds m_longestWait;
    SoundHanded m_handed;
};

} // namespace pollwick
