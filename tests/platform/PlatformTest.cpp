// The Qt implementations behind the platform interfaces, where they make
// decisions of their own.
#include "FakePlatform.h"
#include "platform/qt/QtProcessLauncher.h"
#include "platform/qt/QtTimer.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace pollwick {
namespace {

class WineStart : public ::testing::Test
{
protected:
    QString makeFile(const QString& name, bool executable)
    {
        QString path = folder.filePath(name);
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

TEST(QtTimerTicks, PreciselyWhileRunningAndNotOnceStopped)
{
    QtTimer timer;
    int ticks = 0;
    timer.onTick = [&] { ++ticks; };
    EXPECT_EQ(timer.timerType(), Qt::PreciseTimer); // a coarse one fires up to 5 % early
    EXPECT_FALSE(timer.isTicking());

    QElapsedTimer clock;
    clock.start();
    timer.setInterval(40);
    ASSERT_TRUE(test::waitUntil([&] { return ticks > 0; }));
    EXPECT_GE(clock.elapsed(), 40);

    timer.setEnabled(false);
    EXPECT_FALSE(timer.isTicking());
    EXPECT_EQ(timer.interval(), 40);
    timer.setEnabled(true);
    EXPECT_TRUE(timer.isTicking());
    timer.setInterval(0);
    EXPECT_FALSE(timer.isTicking());
    timer.setInterval(-5);
    EXPECT_FALSE(timer.isTicking());
    EXPECT_EQ(timer.interval(), 0);
}

// The real launcher against a stand-in game: a script that writes down the
// folder it runs in and each argument it got, one per line.
class LaunchTest : public ::testing::Test
{
public:
    ~LaunchTest() override { QDir::setCurrent(previous); }
    LaunchTest(const LaunchTest&) = delete;
    LaunchTest& operator=(const LaunchTest&) = delete;

protected:
    LaunchTest()
    {
        EXPECT_TRUE(QDir(folder.path()).mkpath(QStringLiteral("My Games")));
        game = folder.filePath(QStringLiteral("My Games/wombix.exe"));
        QFile script(game);
        EXPECT_TRUE(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\n"
                     "{ pwd; for a in \"$@\"; do printf '%s\\n' \"$a\"; done; } > \"$0.ran.tmp\"\n"
                     "mv \"$0.ran.tmp\" \"$0.ran\"\n");
        script.close();
        script.setPermissions(script.permissions() | QFile::ExeUser);
        QDir::setCurrent(folder.path());
    }
    // The lines the game wrote, once it has run.
    QStringList ran()
    {
        QFile record(game + QStringLiteral(".ran"));
        if (!test::waitUntil([&] { return record.exists(); }, 10000) ||
            !record.open(QIODevice::ReadOnly)) {
            return {};
        }
        QStringList lines = QString::fromUtf8(record.readAll()).split(QLatin1Char('\n'));
        lines.removeLast();
        record.remove();
        return lines;
    }

    const QString previous = QDir::currentPath();
    QTemporaryDir folder;
    QString game;
};

TEST_F(LaunchTest, TheGameGetsExactlyTwoArgumentsInItsOwnFolderWithoutAShell)
{
#ifdef Q_OS_WIN
    GTEST_SKIP() << "the stand-in game is a shell script";
#endif
    const QString address = QStringLiteral("10.0.0.5; touch injected $(touch injected)");
    const QString gameFolder = QFileInfo(game).absolutePath();
    // Typed relative paths are found from Pollwick's working folder, before
    // the game starts in its own.
    for (const QString& typed :
         {game, QStringLiteral("My Games/wombix.exe"), QStringLiteral("./My Games/wombix.exe")}) {
        SCOPED_TRACE(typed.toStdString());
        QtProcessLauncher launcher;
        ASSERT_TRUE(launcher.start(typed, {QStringLiteral("-connect"), address}));
        EXPECT_EQ(ran(), (QStringList{gameFolder, QStringLiteral("-connect"), address}));
    }
    EXPECT_FALSE(QFile::exists(folder.filePath(QStringLiteral("injected"))));
    EXPECT_FALSE(QFile::exists(folder.filePath(QStringLiteral("My Games/injected"))));

    // A path that names nothing starts nothing, whatever the game folder holds.
    QtProcessLauncher launcher;
    EXPECT_FALSE(launcher.start(QStringLiteral("wombix.exe"), {}));
    EXPECT_FALSE(launcher.start(QStringLiteral("Games/wombix.exe"), {}));
    EXPECT_FALSE(launcher.start(QString(), {}));
}

} // namespace
} // namespace pollwick
