// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/ProcessLauncher.h"

namespace pollwick {

// QProcess::startDetached, in the program's own folder, without a shell. A
// path that names no file starts nothing. Outside Windows, a
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

// The full path of the file that a typed program path names, or empty when
// it names none: relative paths count from the current working folder, and a
// bare name not found there is looked up on the PATH.
QString resolveProgram(const QString& program);

} // namespace pollwick
