// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The Qt implementations behind the platform interfaces, where they make
// decisions of their own.
#include "FakePlatform.h"
#include "core/Texts.h"
#include "platform/qt/QtDialogs.h"
#include "platform/qt/QtProcessLauncher.h"
#include "platform/qt/QtSettingsStore.h"
#include "platform/qt/QtTimer.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <tuple>

namespace pollwick {
namespace {

// A Windows program goes through wine with its path first; a program that
// can run itself, or any program when there is no wine, starts as it is.
TEST(WineStart, OnlyWindowsProgramsThatCannotRunThemselvesGoThroughWine)
{
    const QTemporaryDir folder;
    const QString wine = QStringLiteral("/usr/bin/wine");
    QFile runnable(folder.filePath(QStringLiteral("run.exe")));
    ASSERT_TRUE(runnable.open(QIODevice::WriteOnly));
    runnable.setPermissions(runnable.permissions() | QFile::ExeUser);
    for (const auto& [program, viaWine, throughWine] :
         {std::tuple{QStringLiteral("/g/WOMBIX.EXE"), wine, true},
          std::tuple{QStringLiteral("/My Games/w.Exe"), wine, true},
          std::tuple{runnable.fileName(), wine, false},
          std::tuple{QStringLiteral("/g/wombix"), wine, false},
          std::tuple{QStringLiteral("/g/other.exe"), QString(), false}}) {
        const StartCommand command =
            startCommandFor(program, {QStringLiteral("-connect")}, viaWine);
        EXPECT_EQ(command.program, throughWine ? wine : program) << program.toStdString();
        EXPECT_EQ(command.arguments.size(), throughWine ? 2 : 1);
    }
}

TEST(QtTimerTicks, NeverEarlyAndNotOnceStopped)
{
    QtTimer timer;
    int ticks = 0;
    timer.onTick([&] { ++ticks; });
    EXPECT_FALSE(timer.isActive());
    // A coarse timer would fire up to 5 % early.
    QElapsedTimer clock;
    clock.start();
    timer.start(std::chrono::milliseconds(40));
    ASSERT_TRUE(test::waitUntil([&] { return ticks > 0; }));
    EXPECT_GE(clock.elapsed(), 40);
    EXPECT_TRUE(timer.isActive());
    timer.stop();
    EXPECT_FALSE(timer.isActive());
    timer.start(std::chrono::milliseconds(0));
    EXPECT_FALSE(timer.isActive());
}

// The real file dialog, answered once it is up: it opens at the last
// choice, shows the description alone, and gives the chosen file's full
// path, or nothing when cancelled.
TEST(QtFileDialog, OpensAtTheLastChoiceAndGivesTheFullPathOrNothing)
{
    const QTemporaryDir folder;
    const QString last = folder.filePath(QStringLiteral("WOMBIX.EXE"));
    ASSERT_TRUE(QFile(last).open(QIODevice::WriteOnly));
    for (const bool chosen : {true, false}) {
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            EXPECT_TRUE(dialog->testOption(QFileDialog::HideNameFilterDetails));
            EXPECT_EQ(dialog->fileMode(), QFileDialog::ExistingFile);
            EXPECT_EQ(dialog->directory(), QDir(folder.path()));
            EXPECT_EQ(dialog->selectedFiles(), QStringList(last));
            chosen ? static_cast<QDialog*>(dialog)->accept() : dialog->reject();
        });
        EXPECT_EQ(QtFileDialog().openFile(nullptr, texts::kGameExecutable, last),
                  chosen ? std::optional(last) : std::nullopt);
    }
}

// The real message box, answered once it is up: the title as given, and the
// prompt as plain text, since a found server's name is never markup.
TEST(QtMessageBox, ShowsThePromptAsPlainTextUnderItsTitle)
{
    QString seenTitle;
    Qt::TextFormat format = Qt::RichText;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seenTitle = box->windowTitle();
        format = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))->textFormat();
        box->accept();
    });
    QtMessageBox().show(nullptr, QStringLiteral("<b>Arena</b> is up"), QStringLiteral("Server Up"));
    EXPECT_EQ(seenTitle, QStringLiteral("Server Up"));
    EXPECT_EQ(format, Qt::PlainText);
}

// On a file system whose names are case-sensitive the chooser must still
// offer WOMBIX.EXE copied over from Windows, and nothing but that name; where
// names ignore case, the pattern is left as written.
TEST(QtFileDialog, FindsTheExecutableInAnyLetterCaseOnly)
{
    const QTemporaryDir folder;
    for (const char* name : {"wombix.exe", "WOMBIX.EXE", "Wombix.Exe", "wombix.exe.bak",
                             "my wombix.exe", "wombixXexe", "wombix.ex"}) {
        ASSERT_TRUE(QFile(folder.filePath(QLatin1String(name))).open(QIODevice::WriteOnly));
    }
    const QString filter = qtNameFilter(texts::kGameExecutable, Qt::CaseSensitive);
    ASSERT_TRUE(filter.startsWith(QStringLiteral("Wombix File (")) && filter.endsWith(u')'));
    EXPECT_EQ(QDir(folder.path())
                  .entryList({filter.section(u'(', 1).chopped(1)},
                             QDir::Files | QDir::CaseSensitive, QDir::Name),
              QStringList({"WOMBIX.EXE", "Wombix.Exe", "wombix.exe"}));
    EXPECT_EQ(qtNameFilter(texts::kGameExecutable, Qt::CaseInsensitive),
              QStringLiteral("Wombix File (wombix.exe)"));
}

// The real launcher against a stand-in game: a script that writes down the
// folder it runs in and each argument it got, one per line. Typed relative
// paths are found from Pollwick's working folder, before the game starts in
// its own; the address stays one argument, never read by a shell.
TEST(QtProcessLauncher, TheGameGetsExactlyTwoArgumentsInItsOwnFolderWithoutAShell)
{
#ifdef Q_OS_WIN
    GTEST_SKIP() << "the stand-in game is a shell script";
#endif
    const QTemporaryDir folder;
    ASSERT_TRUE(QDir(folder.path()).mkpath(QStringLiteral("My Games")));
    const QString game = folder.filePath(QStringLiteral("My Games/wombix.exe"));
    QFile script(game);
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\n"
                 "{ pwd; for a in \"$@\"; do printf '%s\\n' \"$a\"; done; } > \"$0.ran.tmp\"\n"
                 "mv \"$0.ran.tmp\" \"$0.ran\"\n");
    script.close();
    script.setPermissions(script.permissions() | QFile::ExeUser);
    const QString previous = QDir::currentPath();
    QDir::setCurrent(folder.path());

    const QString address = QStringLiteral("10.0.0.5; touch injected $(touch injected)");
    for (const QString& typed :
         {game, QStringLiteral("My Games/wombix.exe"), QStringLiteral("./My Games/wombix.exe")}) {
        SCOPED_TRACE(typed.toStdString());
        ASSERT_TRUE(QtProcessLauncher().start(typed, {QStringLiteral("-connect"), address}));
        QFile ran(game + QStringLiteral(".ran"));
        ASSERT_TRUE(test::waitUntil([&] { return ran.exists(); }, 10000));
        ASSERT_TRUE(ran.open(QIODevice::ReadOnly));
        EXPECT_EQ(QString::fromUtf8(ran.readAll()),
                  QFileInfo(game).absolutePath() + "\n-connect\n" + address + "\n");
        ran.remove();
    }
    EXPECT_TRUE(QDir(folder.path()).entryList({QStringLiteral("injected")}).isEmpty());
    EXPECT_FALSE(QFile::exists(folder.filePath(QStringLiteral("My Games/injected"))));

    // A path that names nothing starts nothing, whatever the game folder holds.
    for (const char* nothing : {"wombix.exe", "Games/wombix.exe", ""}) {
        EXPECT_FALSE(QtProcessLauncher().start(QLatin1String(nothing), {})) << nothing;
    }
    QDir::setCurrent(previous);
}

// The real store, judged by the write alone: a file with a line that it
// cannot read (edited by hand, or damaged) still takes the value. (A file
// that cannot be written is a test of the game paths on the window.)
TEST(QtSettingsStore, AFileItCannotReadWholeStillTakesTheValue)
{
    const QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("Wombix Pollwick.conf"));
    QtSettingsStore store(folder.path());
    EXPECT_EQ(store.location("Wombix Pollwick"), file.toStdString());

    QFile damaged(file);
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("[Paths]\nNormal=/old/wombix.exe\nthis line has no equals sign\n");
    damaged.close();
    const std::string path = "/games/wombix 1.24/w\u00f6mbix.exe";
    EXPECT_TRUE(store.write("Wombix Pollwick", "Paths", "Ambrel", path));
    EXPECT_EQ(QSettings(file, QSettings::IniFormat).value(QStringLiteral("Paths/Ambrel")),
              QString::fromStdString(path));
    EXPECT_EQ(store.read("Wombix Pollwick", "Paths", "Ambrel"), path);
    EXPECT_EQ(store.read("Wombix Pollwick", "Paths", "Pellory"), "");
    EXPECT_EQ(store.trouble("Wombix Pollwick"), "");
}

} // namespace
} // namespace pollwick
