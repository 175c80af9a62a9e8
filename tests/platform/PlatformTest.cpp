// The Qt implementations behind the platform interfaces, where they make
// decisions of their own.
#include "platform/QtProcessLauncher.h"
#include "platform/QtTimer.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace pollwick {
namespace {

class WineStart : public ::testing::Test
{
protected:
    QString makeFile(const QString& name, bool executable)
    {
        const QString path = folder.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("MZ");
        file.close();
        if (executable) {
            file.setPermissions(file.permissions() | QFile::ExeUser);
        }
        return path;
    }

    QTemporaryDir folder;
    const QString wine = QStringLiteral("/usr/bin/wine");
    const QStringList arguments{QStringLiteral("-connect"), QStringLiteral("1.2.3.4 ; x")};
};

TEST_F(WineStart, AWindowsProgramGoesThroughWineWithItsPathFirst)
{
#ifdef Q_OS_WIN
    GTEST_SKIP() << "Windows starts its own programs";
#endif
    for (const QString& name : {QStringLiteral("wombix.exe"), QStringLiteral("WOMBIX.EXE"),
                                QStringLiteral("My Games/w.Exe")}) {
        const QString path = folder.filePath(name);
        const StartCommand command = startCommandFor(path, arguments, wine);
        EXPECT_EQ(command.program, wine);
        EXPECT_EQ(command.arguments, QStringList{path} + arguments);
    }
}

TEST_F(WineStart, NativeProgramsAndMissingWineStartTheProgramItself)
{
    const QString script = makeFile(QStringLiteral("wombix.exe"), true);
    EXPECT_EQ(startCommandFor(script, arguments, wine).program, script);

    const QString native = makeFile(QStringLiteral("wombix"), false);
    EXPECT_EQ(startCommandFor(native, arguments, wine).program, native);

    const QString windows = makeFile(QStringLiteral("other.exe"), false);
    const StartCommand withoutWine = startCommandFor(windows, arguments, QString());
    EXPECT_EQ(withoutWine.program, windows);
    EXPECT_EQ(withoutWine.arguments, arguments);
}

TEST(QtTimerState, AnIntervalStartsAZeroStopsAndDisablingHolds)
{
    QtTimer timer;
    EXPECT_FALSE(timer.isRunning());
    timer.setInterval(5000);
    EXPECT_TRUE(timer.isRunning());
    timer.setEnabled(false);
    EXPECT_FALSE(timer.isRunning());
    EXPECT_EQ(timer.interval(), 5000);
    timer.setEnabled(true);
    EXPECT_TRUE(timer.isRunning());
    timer.setInterval(0);
    EXPECT_FALSE(timer.isRunning());
    timer.setInterval(-5);
    EXPECT_EQ(timer.interval(), 0);
}

} // namespace
} // namespace pollwick
