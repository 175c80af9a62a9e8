// The game paths on the real window and the real per-user store: QSettings
// pointed at a fresh folder, so that a "next run" is a new main window reading
// the file the last one wrote. Also what a broken store does: a file that
// cannot be written or holds garbage must crash nothing, and a path that the
// user entered must never be lost: when it cannot be stored, Accept says so
// and the boxes keep it for this run.
#include "window/settings/GamePaths.h"

#include "WindowTest.h"
#include "platform/qt/QtSettingsStore.h"

#include <QDir>
#include <QFile>
#include <QInputMethodEvent>
#include <QSettings>
#include <QTemporaryDir>

#include <algorithm>

namespace pollwick {

void PrintTo(const GamePaths& paths, std::ostream* out)
{
    for (const QString* path : {&paths.Normal, &paths.Ambrel, &paths.Corvane, &paths.Pellory}) {
        *out << '"' << path->left(60).toStdString() << (path->size() > 60 ? "...\" (" : "\" (")
             << path->size() << ") ";
    }
}

namespace test {
namespace {

class GamePathsTest : public WindowTest
{
protected:
    GamePathsTest()
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder.path());
        platform.store = &disk;
        run();
    }
    [[nodiscard]] QString settingsFile() const
    {
        return folder.filePath(QStringLiteral("Wombix Pollwick.conf"));
    }
    // What the settings file holds; nothing when there is none.
    [[nodiscard]] QStringList storedKeys() const
    {
        return QSettings(settingsFile(), QSettings::IniFormat).allKeys();
    }

    // A run of the program: a new main window, loading from the store.
    void run()
    {
        form = std::make_unique<Form1>(platform);
        form->show();
    }
    PathsDialog& dialog() { return form->paths().Paths(); }
    [[nodiscard]] GamePaths boxes() { return dialog().workingCopy(); }
    void type(const GamePaths& paths)
    {
        dialog().Normal->setText(paths.Normal);
        dialog().Ambrel->setText(paths.Ambrel);
        dialog().Corvane->setText(paths.Corvane);
        dialog().Pellory->setText(paths.Pellory);
    }
    void openPaths() { click(form->Command5); }
    void accept() { click(dialog().Command7); }
    [[nodiscard]] bool toldNotSaved() const
    {
        return std::ranges::any_of(platform.shown, [](const auto& shown) {
            return shown.first.contains(QStringLiteral("could not be saved"));
        });
    }

    const GamePaths kPaths{
        QStringLiteral("/games/wombix/wombix.exe"),
        QStringLiteral("/games/wombix 1.24/wombix.exe"),
        QStringLiteral("C:\\Games\\Corvane\\wombix.exe"),
        QStringLiteral("/opt/pellory/wombix.exe"),
    };

    QTemporaryDir folder;
    QtSettingsStore disk;
};

TEST_F(GamePathsTest, AcceptStoresAllFourAndTheNextRunReadsThemBackExactly)
{
    EXPECT_EQ(boxes(), GamePaths{});
    openPaths();
    ASSERT_TRUE(dialog().isVisible());
    // Typed keys, and text committed by an input method as non-ASCII is.
    QTest::keyClicks(dialog().Ambrel, QStringLiteral("/home/me/Wombix 1.24/wombix.exe "));
    QInputMethodEvent composed;
    composed.setCommitString(QStringLiteral("/home/me/W\u00f6mbix \u30b2\u30fc\u30e0/wombix.exe"));
    QApplication::sendEvent(dialog().Normal, &composed);
    ASSERT_EQ(boxes().Normal, composed.commitString());
    const GamePaths awkward{
        QStringLiteral(R"(C:\Games, Inc\"Wombix"; #1 = [x]\wombix.exe)"),
        QStringLiteral("@Variant(not a variant)"),
        QStringLiteral(" "),
        QStringLiteral("D:\\Spiele\\W\u00f6mbix ") + QString(1 << 20, u'w') +
            QStringLiteral("\\wombix.exe"),
    };
    for (const GamePaths& entered : {boxes(), awkward}) {
        openPaths();
        type(entered);
        accept();
        // All four, an empty one too.
        EXPECT_EQ(storedKeys(),
                  QStringList({QStringLiteral("Paths/Ambrel"), QStringLiteral("Paths/Corvane"),
                               QStringLiteral("Paths/Normal"), QStringLiteral("Paths/Pellory")}));
        EXPECT_EQ(boxes(), entered);
        run();
        EXPECT_EQ(boxes(), entered);
        fire(*form->Timer1);
        EXPECT_TRUE(platform.shown.empty());
    }
}

TEST_F(GamePathsTest, AcceptingFourEmptyBoxesAsksAgainOnTheNextRun)
{
    for (const std::size_t asked : {1U, 2U}) {
        fire(*form->Timer1);
        ASSERT_EQ(platform.shown.size(), asked);
        accept();
        EXPECT_EQ(storedKeys().size(), 4);
        run();
    }
}

// Each "..." fills its own box with the chosen file, offering only the
// files of its kind; a cancel keeps the box, and the next choice starts
// where the last one left off. Browsing stores nothing.
TEST_F(GamePathsTest, EachBrowseButtonFillsItsOwnBoxWithAFileOfItsKind)
{
    chooseHost(QStringLiteral("127.0.0.1"));
    click(form->WaveCheck);
    const struct {
        QPushButton* browse;
        QLineEdit* box;
        QString filter;
    } rows[] = {
        {form->Command3, form->WaveFile, QStringLiteral("Wave Files|*.wav")},
        {dialog().Command1, dialog().Normal, QStringLiteral("Wombix File|wombix.exe")},
        {dialog().Command3, dialog().Corvane, QStringLiteral("Wombix File|wombix.exe")},
        {dialog().Command4, dialog().Ambrel, QStringLiteral("Wombix File|wombix.exe")},
        {dialog().Command6, dialog().Pellory, QStringLiteral("Wombix File|wombix.exe")},
    };
    const auto chosen = [](const QLineEdit* box) { return "/chosen/" + box->objectName(); };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.browse->objectName().toStdString());
        if (row.box->window() == &dialog() && !dialog().isVisible()) {
            openPaths();
        }
        platform.answers = {chosen(row.box), QString()};
        click(row.browse);
        click(row.browse); // cancelled
        EXPECT_EQ(row.box->text(), chosen(row.box));
        EXPECT_EQ(platform.opened.back(), std::pair(row.filter, chosen(row.box)));
    }
    for (const auto& row : rows) {
        EXPECT_EQ(row.box->text(), chosen(row.box));
    }
    EXPECT_TRUE(storedKeys().isEmpty());
}

TEST_F(GamePathsTest, WombixPathsShowsTheStoredPathsAndAcceptGivesTheWindowBack)
{
    disk.write(QStringLiteral("Wombix Pollwick"), QStringLiteral("Paths"),
               QStringLiteral("Corvane"), QStringLiteral("/stored/wombix.exe"));
    run();
    dialog().Corvane->setText(QStringLiteral("left over"));
    openPaths();
    EXPECT_TRUE(dialog().isVisible());
    EXPECT_EQ(dialog().Corvane->text(), QStringLiteral("/stored/wombix.exe"));
    EXPECT_FALSE(form->isEnabled());
    // The scan controller's poll goes on behind the dialog.
    EXPECT_TRUE(form->Timer2->isRunning());

    accept();
    EXPECT_TRUE(form->isEnabled());
    EXPECT_FALSE(dialog().isVisible());
    EXPECT_TRUE(platform.shown.empty());
}

TEST_F(GamePathsTest, CloseButtonAndEscapeCancelWithoutLosingTheBoxes)
{
    const std::pair<const char*, std::function<void()>> ways[] = {
        {"Escape", [&] { QTest::keyClick(dialog().Normal, Qt::Key_Escape); }},
        {"close button", [&] { dialog().close(); }},
    };
    for (const auto& [way, cancel] : ways) {
        SCOPED_TRACE(way);
        openPaths();
        dialog().Normal->setText(QStringLiteral("/typed/but/not/accepted"));
        cancel();
        EXPECT_FALSE(dialog().isVisible());
        EXPECT_TRUE(form->isEnabled());
        EXPECT_EQ(dialog().Normal->text(), QStringLiteral("/typed/but/not/accepted"));
        EXPECT_TRUE(storedKeys().isEmpty());
        EXPECT_EQ(platform.processEnds, 0);
    }
}

TEST_F(GamePathsTest, AStoreThatCannotBeWrittenKeepsThePathsForThisRunAndSaysWhere)
{
    // A folder where the file should be stops writes even for root.
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("Wombix Pollwick.conf")));
    openPaths();
    type(kPaths);
    accept();
    ASSERT_EQ(platform.shown.size(), 1U);
    const auto& message = platform.shown.front();
    EXPECT_EQ(message.second, QStringLiteral("Wombix Pollwick"));
    EXPECT_TRUE(toldNotSaved());
    EXPECT_TRUE(message.first.contains(settingsFile())) << message.first.toStdString();
    EXPECT_TRUE(form->isEnabled());
    EXPECT_FALSE(dialog().isVisible());
    EXPECT_EQ(form->paths().pathFor(GameEdition::Ambrel), kPaths.Ambrel);
    // The kept paths count for this run: no warning.
    fire(*form->Timer1);
    EXPECT_EQ(platform.shown.size(), 1U);
    // Not the empty store: the paths entered, and Accept tells again.
    openPaths();
    EXPECT_EQ(boxes(), kPaths);
    accept();
    EXPECT_EQ(platform.shown.size(), 2U);

    // Once the store can be written again, Accept keeps the paths for good.
    ASSERT_TRUE(QDir(folder.path()).rmdir(QStringLiteral("Wombix Pollwick.conf")));
    openPaths();
    accept();
    EXPECT_EQ(platform.shown.size(), 2U);
    run();
    EXPECT_EQ(boxes(), kPaths);
}

} // namespace
} // namespace test
} // namespace pollwick
