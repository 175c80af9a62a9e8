// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The game paths on the real window and the real per-user store, in a fresh
// folder, so that a "next run" is a new main window reading the file the
// last one wrote. The start-up check asks for paths when none is
// stored. A path that the user entered is never lost: when it cannot be
// stored, Accept says so and the boxes keep it for this run.

#include "WindowTest.h"
#include "platform/qt/QtSettingsStore.h"
#include "window/WindowText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>

namespace pollwick::test {

namespace {

const GamePaths kPaths{"/games/wombix/wombix.exe", "/games/wombix 1.24/wombix.exe",
                       "C:\\Games\\Corvane\\wombix.exe", "/opt/pellory/wombix.exe"};

class GamePathsTest : public WindowTest
{
public:
    GamePathsTest()
    {
        platform.realStore = &disk;
        openWindow();
    }
    // What the settings file holds; nothing when there is none.
    [[nodiscard]] QStringList storedKeys() const
    {
        return QSettings(settingsFile, QSettings::IniFormat).allKeys();
    }
    PathsDialog& dialog() { return form->pathsDialog(); }
    // What the four boxes hold, read here rather than through the dialog.
    [[nodiscard]] GamePaths boxes() const
    {
        return {toUtf8(paths->normalEdit->text()), toUtf8(paths->ambrelEdit->text()),
                toUtf8(paths->corvaneEdit->text()), toUtf8(paths->pelloryEdit->text())};
    }
    // "Wombix Paths", these paths in the boxes, "Accept".
    void enter(const GamePaths& entered)
    {
        click(ui->pathsButton);
        paths->normalEdit->setText(fromUtf8(entered.normal));
        paths->ambrelEdit->setText(fromUtf8(entered.ambrel));
        paths->corvaneEdit->setText(fromUtf8(entered.corvane));
        paths->pelloryEdit->setText(fromUtf8(entered.pellory));
        click(paths->acceptButton);
    }

    QTemporaryDir folder;
    const QString settingsFile = folder.filePath(QStringLiteral("Wombix Pollwick.conf"));
    QtSettingsStore disk{folder.path()};
};

TEST_F(GamePathsTest, WithNoPathStoredTheCheckAsksOnceAndTheWindowWaitsForAccept)
{
    bool dialogUpDuringMessage = true;
    platform.whileShown = [&](const QString&, const QString&) {
        dialogUpDuringMessage = dialog().isVisible();
    };
    EXPECT_EQ(platform.timer(TimerRole::StartupCheck).interval(), std::chrono::milliseconds(500));
    fire(TimerRole::StartupCheck);
    EXPECT_FALSE(platform.timer(TimerRole::StartupCheck).isActive());
    EXPECT_EQ(platform.shown,
              (std::vector<std::pair<QString, QString>>{
                  {"Wombix Pollwick has not detected any Wombix Paths, Please Specify paths "
                   "before continuing",
                   "Wombix Pollwick"}}));
    EXPECT_FALSE(dialogUpDuringMessage); // the dialog comes after OK
    EXPECT_TRUE(dialog().isVisible());
    // Other timers keep the window alive behind the dialog; it stays
    // disabled until Accept.
    ui->hostCombo->setEditText(QStringLiteral("127.0.0.1"));
    fire(TimerRole::ServerChoice);
    EXPECT_FALSE(form->isEnabled());
    click(paths->acceptButton);
    EXPECT_TRUE(form->isEnabled());
    // Still no path, but the check never comes back in this run.
    fire(TimerRole::StartupCheck);
    EXPECT_EQ(platform.shown.size(), 1U);
}

// Paths that the settings file must escape come back exactly as entered.
TEST_F(GamePathsTest, AcceptStoresThePathsAndTheNextRunReadsThemBackExactly)
{
    const GamePaths awkward{R"(C:\Games, Inc\"Wombix"; #1 = [x]\wombix.exe)",
                            "@Variant(not a variant)", " ",
                            "D:\\W\u00f6mbix " + std::string(1 << 18, 'w') + "\\w.exe"};
    enter(awkward);
    openWindow();
    EXPECT_EQ(boxes(), awkward);
    fire(TimerRole::StartupCheck);
    EXPECT_TRUE(platform.shown.empty());
}

// Each "..." fills its own box with the chosen file, offering only the
// files of its kind; a cancel keeps the box, and the next choice starts
// where the last one left off. Browsing stores nothing.
TEST_F(GamePathsTest, EachBrowseButtonFillsItsOwnBoxWithAFileOfItsKind)
{
    chooseHost(QStringLiteral("127.0.0.1"));
    click(ui->waveCheck);
    const QString wombix = QStringLiteral("Wombix File|wombix.exe");
    const struct {
        QPushButton* browse;
        QLineEdit* box;
        QString filter;
    } rows[] = {
        {ui->waveFileButton, ui->waveFileEdit, QStringLiteral("Wave Files|*.wav")},
        {paths->normalButton, paths->normalEdit, wombix},
        {paths->corvaneButton, paths->corvaneEdit, wombix},
        {paths->ambrelButton, paths->ambrelEdit, wombix},
        {paths->pelloryButton, paths->pelloryEdit, wombix},
    };
    const auto chosen = [](const QLineEdit* box) { return "/chosen/" + box->objectName(); };
    for (const auto& row : rows) {
        if (row.box == paths->normalEdit) {
            click(ui->pathsButton);
        }
        platform.answers = {chosen(row.box), QString()};
        click(row.browse);
        click(row.browse); // cancelled
        EXPECT_EQ(platform.opened.back(), std::pair(row.filter, chosen(row.box)));
    }
    for (const auto& row : rows) {
        EXPECT_EQ(row.box->text(), chosen(row.box));
    }
    EXPECT_TRUE(storedKeys().isEmpty());
}

// "Wombix Paths" shows what is stored, not what the boxes were left with,
// and the window waits for the dialog (its poll goes on behind it). Accept,
// Escape and the close button give the window back, the cancels with the
// boxes as typed and nothing stored.
TEST_F(GamePathsTest, WombixPathsShowsTheStoredPathsAndTheWindowWaitsForTheDialog)
{
    disk.write("Wombix Pollwick", "Paths", "Corvane", "/stored/wombix.exe");
    openWindow();
    const std::function<void()> ways[] = {
        [&] { QTest::keyClick(paths->normalEdit, Qt::Key_Escape); },
        [&] { dialog().close(); },
        [&] { click(paths->acceptButton); },
    };
    for (const auto& leave : ways) {
        paths->corvaneEdit->setText(QStringLiteral("left over"));
        click(ui->pathsButton);
        EXPECT_TRUE(dialog().isVisible());
        EXPECT_EQ(paths->corvaneEdit->text(), QStringLiteral("/stored/wombix.exe"));
        // Not modal: the window is disabled instead, its poll going on.
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
        EXPECT_FALSE(form->isEnabled());
        EXPECT_TRUE(platform.timer(TimerRole::ServerChoice).isActive());
        paths->normalEdit->setText(QStringLiteral("/typed"));
        leave();
        EXPECT_FALSE(dialog().isVisible());
        EXPECT_TRUE(form->isEnabled());
        EXPECT_EQ(paths->normalEdit->text(), QStringLiteral("/typed"));
    }
    EXPECT_EQ(storedKeys().size(), 4); // Accept, last
    EXPECT_TRUE(platform.shown.empty());
    EXPECT_EQ(platform.processEnds, 0);
}

TEST_F(GamePathsTest, AStoreThatCannotBeWrittenKeepsThePathsForThisRunAndSaysWhere)
{
    // A folder where the file should be stops writes even for root.
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("Wombix Pollwick.conf")));
    enter(kPaths);
    ASSERT_EQ(platform.shown.size(), 1U);
    EXPECT_EQ(platform.shown[0].second, QStringLiteral("Wombix Pollwick"));
    EXPECT_TRUE(platform.shown[0].first.contains(QStringLiteral("could not be saved")));
    EXPECT_TRUE(platform.shown[0].first.contains(settingsFile));
    EXPECT_TRUE(form->isEnabled());
    EXPECT_FALSE(dialog().isVisible());
    EXPECT_EQ(boxes(), kPaths);
    // The kept paths count for this run: no warning. (What the store keeps
    // once it takes writes again is the core's rule.)
    fire(TimerRole::StartupCheck);
    EXPECT_EQ(platform.shown.size(), 1U);
}

// A settings file larger than any settings file (over 1 MiB) is neither
// read (it would stall the window) nor written over (it would lose what it
// holds): the check says so, and the paths entered stay in use for the run.
TEST_F(GamePathsTest, ASettingsFileOverAMegabyteIsLeftAlone)
{
    QFile huge(settingsFile);
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly));
    huge.write("[Paths]\nNormal=/old/wombix.exe\n");
    ASSERT_TRUE(huge.resize((qint64{1} << 20) + 1));
    huge.close();
    openWindow();
    fire(TimerRole::StartupCheck);
    ASSERT_EQ(platform.shown.size(), 2U);
    EXPECT_TRUE(platform.shown[0].first.startsWith(
        QStringLiteral("The Wombix paths could not be read from ") + settingsFile +
        QStringLiteral(": it holds 1048577 bytes, more than any settings file.")));
    EXPECT_TRUE(platform.shown[1].first.contains(QStringLiteral("has not detected")));
    enter(kPaths);
    ASSERT_EQ(platform.shown.size(), 3U);
    EXPECT_TRUE(platform.shown[2].first.contains(QStringLiteral("could not be saved")));
    EXPECT_EQ(boxes(), kPaths);
    EXPECT_EQ(QFileInfo(settingsFile).size(), (qint64{1} << 20) + 1);
}

TEST_F(GamePathsTest, ClosingTheWindowEndsTheProgramEvenDuringAScanBehindTheDialog)
{
    chooseHost(QStringLiteral("127.0.0.1"));
    go();
    click(ui->pathsButton);
    ASSERT_TRUE(dialog().isVisible());
    EXPECT_TRUE(form->close()); // never cancelled
    EXPECT_EQ(platform.processEnds, 1);
}

} // namespace
} // namespace pollwick::test
