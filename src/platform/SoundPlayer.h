#pragma once

#include <QString>

namespace pollwick {

// Plays a wave file to its end before returning. A file that cannot be
// played gives the system's default alert sound instead. While it waits the
// window keeps painting but takes no input.
class SoundPlayer
{
public:
    virtual ~SoundPlayer() = default;
    virtual void playSync(const QString& path) = 0;
};

} // namespace pollwick
