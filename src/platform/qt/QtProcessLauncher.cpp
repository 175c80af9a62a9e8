// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/qt/QtProcessLauncher.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace pollwick {

StartCommand startCommandFor(const QString& program, const QStringList& arguments,
                             const QString& wine)
{
    const QFileInfo file(program);
    if (!wine.isEmpty() && program.endsWith(QLatin1String(".exe"), Qt::CaseInsensitive) &&
        !file.isExecutable()) {
        return {wine, QStringList{program} + arguments};
    }
    return {program, arguments};
}

QString resolveProgram(const QString& program)
{
    if (program.isEmpty()) {
        return {};
    }
    // A path is found as a command line typed in Pollwick's own working
    // folder would find it: relative to that folder, or, for a bare name
    // that is not there, on the PATH.
    const QString here = QDir::current().absoluteFilePath(program);
    if (QFileInfo(here).isFile()) {
        return QDir::cleanPath(here);
    }
    const bool bareName =
        !program.contains(QLatin1Char('/')) && !program.contains(QLatin1Char('\\'));
    return bareName ? QStandardPaths::findExecutable(program) : QString();
}

bool QtProcessLauncher::start(const QString& program, const QStringList& arguments)
{
    // The program is found before the game's folder becomes the working
    // folder: "games/wombix.exe" looked up from inside "games" would miss.
    const QString resolved = resolveProgram(program);
    if (resolved.isEmpty()) {
        return false;
    }
    const StartCommand command = startCommandFor(
        resolved, arguments, QStandardPaths::findExecutable(QStringLiteral("wine")));
    // Games look for their data beside the executable.
    return QProcess::startDetached(command.program, command.arguments,
                                   QFileInfo(resolved).absolutePath());
}

} // namespace pollwick
