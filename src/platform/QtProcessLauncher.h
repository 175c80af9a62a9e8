#pragma once

#include "platform/ProcessLauncher.h"

namespace pollwick {

// QProcess::startDetached, in the program's own folder. Outside Windows, a
// Windows program (a name ending in ".exe" that is not itself executable) is
// handed to Wine when Wine is installed.
class QtProcessLauncher final : public ProcessLauncher
{
public:
    bool start(const QString& program, const QStringList& arguments) override;
};

// The program and arguments actually started for a game path: the path
// itself, or Wine with the path in front of the arguments. `wine` is Wine's
// full path, or empty when it is not installed.
struct StartCommand {
    QString program;
    QStringList arguments;
};
StartCommand startCommandFor(const QString& program, const QStringList& arguments,
                             const QString& wine);

} // namespace pollwick
