// The game paths on the real window and the real per-user store: QSettings
// pointed at a fresh folder, so that a "next run" is a new main window reading
// the file the last one wrote. Also what a broken store does: a file that
// cannot be written or holds garbage must crash nothing, and a path that the
// user entered must never be lost: when it cannot be stored, Accept says so
// and the boxes keep it for this run.
#include "window/settings/GamePaths.h"

#include "FakePlatform.h"
#include "platform/Timer.h"
#include "platform/qt/QtDialogs.h"
#include "platform/qt/QtSettingsStore.h"
#include "window/Form1.h"
#include "window/settings/GamePathsController.h"
#include "window/settings/PathsDialog.h"

#include <QDir>
#include <QFile>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <algorithm>

// Readable failures.
static void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace pollwick {

void PrintTo(const GamePaths& paths, std::ostream* out)
{
    for (const QString* path : {&paths.Normal, &paths.Ambrel, &paths.Corvane, &paths.Pellory}) {
        *out << '"' << path->left(60).toStdString() << (path->size() > 60 ? "...\" (" : "\" (")
             << path->size() << ") ";
    }
}

namespace {

class GamePathsTest : public ::testing::Test
{
protected:
    GamePathsTest()
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder.path());
        platform.store = &disk;
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
    void writeSettingsFile(const QByteArray& content) const
    {
        QFile file(settingsFile());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(file.write(content), content.size());
    }

    // A run of the program: a new main window, loading from the store.
    void run()
    {
        form.reset();
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
    void startUpCheck() { static_cast<test::ManualTimer&>(*form->Timer1).fire(); }
    void openPaths() { QTest::mouseClick(form->Command5, Qt::LeftButton); }
    void accept() { QTest::mouseClick(dialog().Command7, Qt::LeftButton); }
    [[nodiscard]] bool toldNotSaved() const
    {
        return std::any_of(platform.messages.shown.begin(), platform.messages.shown.end(),
                           [](const auto& shown) { return shown.prompt.contains(kNotSaved); });
    }

    static inline const QString kNotSaved = QStringLiteral("could not be saved");
    const GamePaths kPaths{
        QStringLiteral("/games/wombix/wombix.exe"),
        QStringLiteral("/games/wombix 1.24/wombix.exe"),
        QStringLiteral("C:\\Games\\Corvane\\wombix.exe"),
        QStringLiteral("/opt/pellory/wombix.exe"),
    };

    QTemporaryDir folder;
    QtSettingsStore disk;
    test::FakePlatform platform;
    std::unique_ptr<Form1> form;
};

const QString kWarning = QStringLiteral(
    "Wombix Pollwick has not detected any Wombix Paths, Please Specify paths before continuing");

TEST_F(GamePathsTest, AcceptStoresAllFourInOrderAndTheNextRunReadsThemBack)
{
    run();
    EXPECT_EQ(boxes(), GamePaths{});
    openPaths();
    ASSERT_TRUE(dialog().isVisible());
    // Typed keys, and text committed by an input method as non-ASCII is.
    QTest::keyClicks(dialog().Ambrel, QStringLiteral("/home/me/Wombix 1.24/wombix.exe "));
    QInputMethodEvent composed;
    composed.setCommitString(QStringLiteral("/home/me/Wömbix ゲーム/wombix.exe"));
    QApplication::sendEvent(dialog().Normal, &composed);
    dialog().Pellory->setText(QStringLiteral("  /opt/wombix x/wombix.exe"));
    const GamePaths entered = boxes();
    ASSERT_EQ(entered.Normal, QStringLiteral("/home/me/Wömbix ゲーム/wombix.exe"));
    ASSERT_TRUE(entered.Corvane.isEmpty());
    accept();

    // All four, Corvane empty.
    EXPECT_EQ(storedKeys(),
              QStringList({QStringLiteral("Paths/Ambrel"), QStringLiteral("Paths/Corvane"),
                           QStringLiteral("Paths/Normal"), QStringLiteral("Paths/Pellory")}));
    EXPECT_EQ(boxes(), entered);

    run();
    EXPECT_EQ(boxes(), entered);
    startUpCheck();
    EXPECT_TRUE(platform.messages.shown.empty());
}

TEST_F(GamePathsTest, AwkwardAndMegabytePathsComeBackExactly)
{
    run();
    const GamePaths awkward{
        QStringLiteral(R"(C:\Games, Inc\"Wombix"; #1 = [x]\wombix.exe)"),
        QStringLiteral("@Variant(not a variant)"),
        QStringLiteral(" "),
        QStringLiteral("D:\\Spiele\\W\u00f6mbix ") + QString(1 << 20, u'w') +
            QStringLiteral("\\wombix.exe"),
    };
    openPaths();
    type(awkward);
    accept();
    EXPECT_FALSE(toldNotSaved());
    run();
    EXPECT_EQ(boxes(), awkward);
}

TEST_F(GamePathsTest, AcceptingFourEmptyBoxesWarnsAgainOnTheNextRun)
{
    run();
    startUpCheck();
    ASSERT_EQ(platform.messages.shown.size(), 1U);
    accept();
    EXPECT_EQ(storedKeys().size(), 4);
    run();
    startUpCheck();
    ASSERT_EQ(platform.messages.shown.size(), 2U);
    EXPECT_EQ(platform.messages.shown.back().prompt, kWarning);
}

TEST_F(GamePathsTest, EachBrowseButtonFillsItsOwnBoxAndACancelKeepsIt)
{
    run();
    openPaths();
    struct Row {
        QPushButton* browse;
        QLineEdit* box;
        QString GamePaths::*path;
    };
    const Row rows[] = {{dialog().Command1, dialog().Normal, &GamePaths::Normal},
                        {dialog().Command3, dialog().Corvane, &GamePaths::Corvane},
                        {dialog().Command4, dialog().Ambrel, &GamePaths::Ambrel},
                        {dialog().Command6, dialog().Pellory, &GamePaths::Pellory}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.browse->objectName().toStdString());
        const GamePaths before = boxes();
        const QString chosen =
            QStringLiteral("/games/") + row.box->objectName() + QStringLiteral("/wombix.exe");
        platform.files.answers.emplace_back(chosen);
        QTest::mouseClick(row.browse, Qt::LeftButton);
        GamePaths expected = before;
        expected.*row.path = chosen;
        EXPECT_EQ(boxes(), expected);

        platform.files.answers.emplace_back(std::nullopt); // cancelled
        QTest::mouseClick(row.browse, Qt::LeftButton);
        EXPECT_EQ(boxes(), expected);
    }
    ASSERT_EQ(platform.files.calls.size(), 8U);
    // Browsing only fills the boxes: nothing is stored, the window waits.
    EXPECT_TRUE(storedKeys().isEmpty());
    EXPECT_FALSE(form->isEnabled());
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
    EXPECT_TRUE(platform.messages.shown.empty());
}

TEST_F(GamePathsTest, CloseButtonAndEscapeCancelWithoutLosingTheBoxes)
{
    run();
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
    run();
    openPaths();
    type(kPaths);
    accept();
    ASSERT_EQ(platform.messages.shown.size(), 1U);
    const auto& message = platform.messages.shown.front();
    EXPECT_EQ(message.title, QStringLiteral("Wombix Pollwick"));
    EXPECT_TRUE(message.prompt.contains(kNotSaved));
    EXPECT_TRUE(message.prompt.contains(settingsFile())) << message.prompt.toStdString();
    EXPECT_TRUE(form->isEnabled());
    EXPECT_FALSE(dialog().isVisible());
    EXPECT_EQ(form->paths().pathFor(GameEdition::Ambrel), kPaths.Ambrel);
    EXPECT_EQ(platform.processEnds, 0);
    // The kept paths count for this run: no warning.
    startUpCheck();
    EXPECT_EQ(platform.messages.shown.size(), 1U);
    // Not the empty store: the paths entered, and Accept tells again.
    openPaths();
    EXPECT_EQ(boxes(), kPaths);
    accept();
    EXPECT_EQ(platform.messages.shown.size(), 2U);

    // Once the store can be written again, Accept keeps the paths for good.
    ASSERT_TRUE(QDir(folder.path()).rmdir(QStringLiteral("Wombix Pollwick.conf")));
    openPaths();
    accept();
    EXPECT_EQ(platform.messages.shown.size(), 2U);
    run();
    EXPECT_EQ(boxes(), kPaths);
}

TEST_F(GamePathsTest, GarbageLoadsAndAcceptNeverLosesThePaths)
{
    QByteArray random(qsizetype{64} * 1024, '\0');
    QRandomGenerator generator(20261206);
    for (char& c : random) {
        c = static_cast<char>(generator.bounded(256));
    }
    // QVariant streams that claim huge lists and strings, and a type that
    // does not exist.
    const QByteArray hugeClaims = QByteArray("[Paths]\n") +
        "Normal=@Variant(\\0\\0\\0\\v\\0\\x7f\\xff\\xff\\xff)\n" +
        "Ambrel=@Variant(\\0\\0\\0\\n\\0\\x7f\\xff\\xff\\xfe)\n" +
        "Corvane=@Variant(\\0\\0\\0\\b\\0\\x7f\\xff\\xff\\xff)\n" +
        "Pellory=@Variant(\\0\\x7f\\xff\\xff\\0)\n";
    // Each file, and whether it reads as no path at all.
    const std::pair<QByteArray, bool> files[] = {
        {random, true},
        {QByteArray(4096, '\0'), true},
        {"[Paths]\nNormal=a, b\nAmbrel=@Variant(\\0\\0\\0\\x7f\\xff)\n", true},
        {hugeClaims, true},
        {"[Paths]\n" + QByteArray(200000, '=') + "\n" + QByteArray(200000, '[') + "\n", true},
        {"[%General]\n[Paths]\n[Paths]\nNormal\nAmbrel=\n=no key\n", true},
        {"[Paths]\nNormal=@Invalid()\nAmbrel=@ByteArray(\\xff\\xfe)\nPellory=@Variant(\n", false},
        {"[Paths]\nNormal=\xff\xfe\xc0\x80 not UTF-8\nNormal=twice\n\\=\\\\\n", false},
    };
    for (const auto& [content, readsEmpty] : files) {
        SCOPED_TRACE(content.left(40).toStdString());
        platform.messages.shown.clear();
        writeSettingsFile(content);
        run();
        if (readsEmpty) {
            // The start-up check asks for the paths.
            EXPECT_EQ(boxes(), GamePaths{});
            startUpCheck();
            EXPECT_EQ(platform.messages.shown.size(), 1U);
            EXPECT_TRUE(dialog().isVisible());
        } else {
            openPaths();
        }
        type(kPaths);
        accept();
        EXPECT_EQ(boxes(), kPaths);
        EXPECT_TRUE(form->isEnabled());
        if (!toldNotSaved()) {
            run();
            EXPECT_EQ(boxes(), kPaths) << "Accept said nothing, but the paths were not kept";
        }
    }
}

// On a file system whose names are case-sensitive the chooser must still
// offer WOMBIX.EXE copied over from Windows, and nothing but that name.
TEST(ExecutableFilter, FindsTheExecutableInAnyLetterCaseOnly)
{
    const QTemporaryDir folder;
    const QStringList executables{QStringLiteral("wombix.exe"), QStringLiteral("WOMBIX.EXE"),
                                  QStringLiteral("Wombix.Exe")};
    const QStringList others{QStringLiteral("wombix.exe.bak"), QStringLiteral("my wombix.exe"),
                             QStringLiteral("wombixXexe"), QStringLiteral("wombix.ex")};
    for (const QString& name : executables + others) {
        QFile file(folder.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    const QString filter =
        qtNameFilter(QStringLiteral("Wombix File|wombix.exe"), Qt::CaseSensitive);
    ASSERT_TRUE(filter.startsWith(QStringLiteral("Wombix File (")) && filter.endsWith(u')'));
    const QString pattern = filter.section(u'(', 1).chopped(1);

    QStringList offered =
        QDir(folder.path()).entryList({pattern}, QDir::Files | QDir::CaseSensitive, QDir::Name);
    QStringList expected = executables;
    expected.sort();
    EXPECT_EQ(offered, expected);
    const QRegularExpression wildcard(QRegularExpression::wildcardToRegularExpression(pattern));
    for (const QString& name : executables) {
        EXPECT_TRUE(wildcard.match(name).hasMatch()) << name.toStdString();
    }
    for (const QString& name : others) {
        EXPECT_FALSE(wildcard.match(name).hasMatch()) << name.toStdString();
    }
    // Where names ignore case, the pattern is left as written.
    EXPECT_EQ(qtNameFilter(QStringLiteral("Wombix File|wombix.exe"), Qt::CaseInsensitive),
              QStringLiteral("Wombix File (wombix.exe)"));
}

} // namespace
} // namespace pollwick
