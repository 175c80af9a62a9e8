// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The game paths on the real window and the real per-user store: QSettings
// pointed at a fresh folder, so that a "next run" is a new main window reading
// the file the last one wrote. The start-up check asks for paths when none is
// stored. A path that the user entered is never lost: when it cannot be
// stored, Accept says so and the boxes keep it for this run.
#include "window/settings/GamePaths.h"

#include "WindowTest.h"
#include "platform/qt/QtSettingsStore.h"

#include <QDir>
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
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder.path());
        platform.store = &disk;
        run();
    }
    // A run of the program: a new main window, loading from the store.
    void run()
    {
        form = std::make_unique<MainWindow>(platform);
        form->show();
    }
    // What the settings file holds; nothing when there is none.
    [[nodiscard]] QStringList storedKeys() const
    {
        return QSettings(settingsFile, QSettings::IniFormat).allKeys();
    }
    PathsDialog& dialog() { return form->pathsDialog(); }
    [[nodiscard]] GamePaths boxes() { return dialog().workingCopy(); }
    // "Wombix Paths", these paths in the boxes, "Accept".
    void enter(const GamePaths& paths)
    {
        click(form->pathsButton);
        dialog().normalEdit->setText(paths.normal);
        dialog().ambrelEdit->setText(paths.ambrel);
        dialog().corvaneEdit->setText(paths.corvane);
        dialog().pelloryEdit->setText(paths.pellory);
        click(dialog().acceptButton);
    }

    QTemporaryDir folder;
    const QString settingsFile = folder.filePath(QStringLiteral("Wombix Pollwick.conf"));
    QtSettingsStore disk;
};

TEST_F(GamePathsTest, WithNoPathStoredTheCheckAsksOnceAndTheWindowWaitsForAccept)
{
    bool dialogUpDuringMessage = true;
    platform.whileShown = [&](const QString&, const QString&) {
        dialogUpDuringMessage = dialog().isVisible();
    };
    EXPECT_EQ(form->startupCheckTimer->interval(), 500);
    fire(*form->startupCheckTimer);
    EXPECT_EQ(form->startupCheckTimer->interval(), 0);
    EXPECT_EQ(platform.shown,
              (std::vector<std::pair<QString, QString>>{
                  {"Wombix Pollwick has not detected any Wombix Paths, Please Specify paths "
                   "before continuing",
                   "Wombix Pollwick"}}));
    EXPECT_FALSE(dialogUpDuringMessage); // the dialog comes after OK
    EXPECT_TRUE(dialog().isVisible());
    // Other timers keep the window alive behind the dialog; it stays
    // disabled until Accept.
    form->hostCombo->setEditText(QStringLiteral("127.0.0.1"));
    fire(*form->serverChoiceTimer);
    EXPECT_FALSE(form->isEnabled());
    click(dialog().acceptButton);
    EXPECT_TRUE(form->isEnabled());
    // Still no path, but the check never comes back in this run.
    fire(*form->startupCheckTimer);
    EXPECT_EQ(platform.shown.size(), 1U);
}

TEST_F(GamePathsTest, AcceptStoresAllFourAndTheNextRunReadsThemBackExactly)
{
    EXPECT_EQ(boxes(), GamePaths{});
    click(form->pathsButton);
    QTest::keyClicks(dialog().ambrelEdit, QStringLiteral("/home/me/Wombix 1.24/wombix.exe "));
    const GamePaths awkward{QStringLiteral(R"(C:\Games, Inc\"Wombix"; #1 = [x]\wombix.exe)"),
                            QStringLiteral("@Variant(not a variant)"), QStringLiteral(" "),
                            QStringLiteral("D:\\W\u00f6mbix ") + QString(1 << 20, u'w') +
                                QStringLiteral("\\w.exe")};
    for (const GamePaths& entered : {boxes(), awkward}) {
        enter(entered);
        // All four, an empty one too.
        EXPECT_EQ(storedKeys(),
                  QStringList({"Paths/Ambrel", "Paths/Corvane", "Paths/Normal", "Paths/Pellory"}));
        EXPECT_EQ(boxes(), entered);
        run();
        EXPECT_EQ(boxes(), entered);
        fire(*form->startupCheckTimer);
        EXPECT_TRUE(platform.shown.empty());
    }
}

// Each "..." fills its own box with the chosen file, offering only the
// files of its kind; a cancel keeps the box, and the next choice starts
// where the last one left off. Browsing stores nothing.
TEST_F(GamePathsTest, EachBrowseButtonFillsItsOwnBoxWithAFileOfItsKind)
{
    chooseHost(QStringLiteral("127.0.0.1"));
    click(form->waveCheck);
    const QString wombix = QStringLiteral("Wombix File|wombix.exe");
    const struct {
        QPushButton* browse;
        QLineEdit* box;
        QString filter;
    } rows[] = {
        {form->waveFileButton, form->waveFileEdit, QStringLiteral("Wave Files|*.wav")},
        {dialog().normalButton, dialog().normalEdit, wombix},
        {dialog().corvaneButton, dialog().corvaneEdit, wombix},
        {dialog().ambrelButton, dialog().ambrelEdit, wombix},
        {dialog().pelloryButton, dialog().pelloryEdit, wombix},
    };
    const auto chosen = [](const QLineEdit* box) { return "/chosen/" + box->objectName(); };
    for (const auto& row : rows) {
        if (row.box == dialog().normalEdit) {
            click(form->pathsButton);
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
    disk.write(QStringLiteral("Wombix Pollwick"), QStringLiteral("Paths"),
               QStringLiteral("Corvane"), QStringLiteral("/stored/wombix.exe"));
    run();
    const std::function<void()> ways[] = {
        [&] { QTest::keyClick(dialog().normalEdit, Qt::Key_Escape); },
        [&] { dialog().close(); },
        [&] { click(dialog().acceptButton); },
    };
    for (const auto& leave : ways) {
        dialog().corvaneEdit->setText(QStringLiteral("left over"));
        click(form->pathsButton);
        EXPECT_TRUE(dialog().isVisible());
        EXPECT_EQ(dialog().corvaneEdit->text(), QStringLiteral("/stored/wombix.exe"));
        // Not modal: the window is disabled instead, its poll going on.
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
        EXPECT_FALSE(form->isEnabled());
        EXPECT_TRUE(static_cast<ManualTimer*>(form->serverChoiceTimer)->isRunning());
        dialog().normalEdit->setText(QStringLiteral("/typed"));
        leave();
        EXPECT_FALSE(dialog().isVisible());
        EXPECT_TRUE(form->isEnabled());
        EXPECT_EQ(dialog().normalEdit->text(), QStringLiteral("/typed"));
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
    // The kept paths count for this run: no warning.
    fire(*form->startupCheckTimer);
    EXPECT_EQ(platform.shown.size(), 1U);
    // Not the empty store: the paths entered, and Accept tells again.
    click(form->pathsButton);
    EXPECT_EQ(boxes(), kPaths);
    click(dialog().acceptButton);
    EXPECT_EQ(platform.shown.size(), 2U);

    // Once the store can be written again, Accept keeps the paths for good.
    ASSERT_TRUE(QDir(folder.path()).rmdir(QStringLiteral("Wombix Pollwick.conf")));
    click(form->pathsButton);
    click(dialog().acceptButton);
    EXPECT_EQ(platform.shown.size(), 2U);
    run();
    EXPECT_EQ(boxes(), kPaths);
}

TEST_F(GamePathsTest, ClosingTheWindowEndsTheProgramEvenDuringAScanBehindTheDialog)
{
    chooseHost(QStringLiteral("127.0.0.1"));
    go();
    click(form->pathsButton);
    ASSERT_TRUE(dialog().isVisible());
    EXPECT_TRUE(form->close()); // never cancelled
    EXPECT_EQ(platform.processEnds, 1);
}

} // namespace
} // namespace pollwick::test
