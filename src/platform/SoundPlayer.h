// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

namespace pollwick {

// Plays a wave file to its end before returning. A file that cannot be
// played, or a path that names no regular file, gives a default alert
// instead (the program's own, or the system's on Windows). While it waits
// the window keeps painting but takes no input. With no audio output to
// play on, it returns at once.
class SoundPlayer
{
public:
    virtual ~SoundPlayer() = default;
    virtual void playSync(const QString& path) = 0;
};

} // namespace pollwick
