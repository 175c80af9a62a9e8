// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/Windows1252.h"
#include "platform/SoundPlayer.h"
#include "platform/qt/QtPlatform.h"
#include "platform/win/WinSound.h"

namespace pollwick {
namespace {

// Windows plays the file itself (platform/win); this only hands it the name
// in the code page of its "A" functions.
class WinSoundPlayer final : public SoundPlayer
{
public:
    void playSync(const QString& path) override
    {
        winsound::playSync(cp1252::fromUtf8(path.toStdString()));
    }
};

} // namespace

std::unique_ptr<SoundPlayer> createSystemSoundPlayer()
{
    return std::make_unique<WinSoundPlayer>();
}

} // namespace pollwick
