#include "platform/QtProcessLauncher.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace pollwick {

StartCommand startCommandFor(const QString& program, const QStringList& arguments,
                             const QString& wine)
{
#ifdef Q_OS_WIN
    Q_UNUSED(wine);
    return {program, arguments};
#else
    const QFileInfo file(program);
    if (!wine.isEmpty() && program.endsWith(QLatin1String(".exe"), Qt::CaseInsensitive) &&
        !file.isExecutable()) {
        return {wine, QStringList{program} + arguments};
    }
    return {program, arguments};
#endif
}

bool QtProcessLauncher::start(const QString& program, const QStringList& arguments)
{
    if (program.isEmpty()) {
        return false;
    }
    const StartCommand command =
        startCommandFor(program, arguments, QStandardPaths::findExecutable(QStringLiteral("wine")));
    // Games look for their data beside the executable.
    const QString folder = QFileInfo(program).absolutePath();
    return QProcess::startDetached(command.program, command.arguments, folder);
}

} // namespace pollwick
