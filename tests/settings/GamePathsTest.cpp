// The game paths on the real window and the real per-user store: QSettings
// pointed at a fresh folder, so that a "next run" is a new main window reading
// the file the last one wrote.
#include "settings/GamePaths.h"

#include "FakePlatform.h"
#include "platform/QtDialogs.h"
#include "platform/QtSettingsStore.h"
#include "platform/Timer.h"
#include "settings/GamePathsController.h"
#include "settings/PathsDialog.h"
#include "ui/Form1.h"

#include <QDir>
#include <QFile>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

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

// The real store, noting every write in the order made.
class RecordingStore final : public SettingsStore
{
public:
    [[nodiscard]] QString read(const QString& application, const QString& section,
                               const QString& key) const override
    {
        return real.read(application, section, key);
    }
    bool write(const QString& application, const QString& section, const QString& key,
               const QString& value) override
    {
        written << application + QLatin1Char('/') + section + QLatin1Char('/') + key;
        return real.write(application, section, key, value);
    }
    [[nodiscard]] QString location(const QString& application) const override
    {
        return real.location(application);
    }

    QtSettingsStore real;
    QStringList written;
};

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
    void writeSettingsFile(const QByteArray& content) const
    {
        QFile file(settingsFile());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
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
    void startUpCheck() { static_cast<test::ManualTimer&>(*form->Timer1).fire(); }
    void openPaths() { QTest::mouseClick(form->Command5, Qt::LeftButton); }
    void accept() { QTest::mouseClick(dialog().Command7, Qt::LeftButton); }

    QTemporaryDir folder;
    RecordingStore disk;
    test::FakePlatform platform;
    std::unique_ptr<Form1> form;
};

const QString kWarning = QStringLiteral(
    "Wombix Pollwick has not detected any Wombix Paths, Please Specify paths before continuing");

TEST_F(GamePathsTest, FirstRunShowsFourEmptyBoxesAndWritesNothing)
{
    run();
    EXPECT_EQ(boxes(), GamePaths{});
    EXPECT_TRUE(disk.written.isEmpty());
    EXPECT_FALSE(QFile::exists(settingsFile()));
}

TEST_F(GamePathsTest, AcceptStoresAllFourInOrderAndTheNextRunReadsThemBack)
{
    run();
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

    EXPECT_EQ(disk.written,
              QStringList({QStringLiteral("Wombix Pollwick/Paths/Normal"),
                           QStringLiteral("Wombix Pollwick/Paths/Ambrel"),
                           QStringLiteral("Wombix Pollwick/Paths/Corvane"),
                           QStringLiteral("Wombix Pollwick/Paths/Pellory")}));
    const QSettings file(settingsFile(), QSettings::IniFormat);
    EXPECT_EQ(file.childGroups(), QStringList{QStringLiteral("Paths")});
    EXPECT_TRUE(file.contains(QStringLiteral("Paths/Corvane"))); // empty, but written
    EXPECT_EQ(boxes(), entered);

    run();
    EXPECT_EQ(boxes(), entered);
    startUpCheck();
    EXPECT_TRUE(platform.messages.shown.empty());
}

TEST_F(GamePathsTest, AwkwardAndVeryLongPathsComeBackExactly)
{
    run();
    const GamePaths awkward{
        QStringLiteral(R"(C:\Games, Inc\"Wombix"; #1 = [x]\wombix.exe)"),
        QStringLiteral("@Variant(not a variant)"),
        QStringLiteral(" "),
        QStringLiteral("/deep/") + QString(100'000, QLatin1Char('d')) +
            QStringLiteral("/wombix.exe"),
    };
    openPaths();
    dialog().Normal->setText(awkward.Normal);
    dialog().Ambrel->setText(awkward.Ambrel);
    dialog().Corvane->setText(awkward.Corvane);
    dialog().Pellory->setText(awkward.Pellory);
    accept();
    run();
    EXPECT_EQ(boxes(), awkward);
}

TEST_F(GamePathsTest, AcceptingFourEmptyBoxesWarnsAgainOnTheNextRun)
{
    run();
    startUpCheck();
    ASSERT_EQ(platform.messages.shown.size(), 1U);
    accept();
    EXPECT_EQ(disk.written.size(), 4);
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
    for (const auto& call : platform.files.calls) {
        EXPECT_EQ(call.filter, QStringLiteral("Wombix File|wombix.exe"));
    }
    // Browsing only fills the boxes: nothing is stored, the window waits.
    EXPECT_TRUE(disk.written.isEmpty());
    EXPECT_FALSE(form->isEnabled());
}

TEST_F(GamePathsTest, WombixPathsShowsTheStoredPathsAndAcceptGivesTheWindowBack)
{
    disk.real.write(QStringLiteral("Wombix Pollwick"), QStringLiteral("Paths"),
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
        EXPECT_TRUE(disk.written.isEmpty());
        EXPECT_EQ(platform.processEnds, 0);
    }
}

TEST_F(GamePathsTest, AStoreThatCannotBeWrittenKeepsThePathsAndSaysWhere)
{
    // A folder where the file should be stops writes even for root.
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("Wombix Pollwick.conf")));
    run();
    EXPECT_EQ(boxes(), GamePaths{});
    openPaths();
    QTest::keyClicks(dialog().Ambrel, QStringLiteral("/games/wombix.exe"));
    accept();

    ASSERT_EQ(platform.messages.shown.size(), 1U);
    const auto& message = platform.messages.shown.front();
    EXPECT_EQ(message.title, QStringLiteral("Wombix Pollwick"));
    EXPECT_TRUE(message.prompt.contains(QStringLiteral("could not be saved")));
    EXPECT_TRUE(message.prompt.contains(settingsFile())) << message.prompt.toStdString();
    EXPECT_EQ(dialog().Ambrel->text(), QStringLiteral("/games/wombix.exe"));
    EXPECT_TRUE(form->isEnabled());
    EXPECT_FALSE(dialog().isVisible());
    EXPECT_EQ(platform.processEnds, 0);
    // The kept path counts for this run: no warning.
    startUpCheck();
    EXPECT_EQ(platform.messages.shown.size(), 1U);
    // Opening the dialog again does not bring back what the store holds.
    openPaths();
    EXPECT_EQ(dialog().Ambrel->text(), QStringLiteral("/games/wombix.exe"));

    // Once the store can be written again, Accept keeps the paths for good.
    ASSERT_TRUE(QDir(folder.path()).rmdir(QStringLiteral("Wombix Pollwick.conf")));
    accept();
    EXPECT_EQ(platform.messages.shown.size(), 1U);
    run();
    EXPECT_EQ(dialog().Ambrel->text(), QStringLiteral("/games/wombix.exe"));
}

TEST_F(GamePathsTest, GarbageInTheSettingsFileReadsAsEmpty)
{
    QByteArray junk;
    for (int i = 0; i < 4096; ++i) {
        junk += static_cast<char>((i * 131) % 256);
    }
    const QByteArray cases[] = {
        junk,
        QByteArrayLiteral("[Paths\nNormal\n=\n[Paths]]\n\"\n"),
        QByteArrayLiteral("[Paths]\nNormal=a, b\nAmbrel=@Variant(\\0\\0\\0\\x7f\\xff)\n"),
    };
    for (const QByteArray& content : cases) {
        SCOPED_TRACE(content.left(40).toStdString());
        writeSettingsFile(content);
        run();
        EXPECT_EQ(boxes(), GamePaths{});
        startUpCheck();
        EXPECT_EQ(platform.messages.shown.back().prompt, kWarning);
        platform.messages.shown.clear();
    }
    // Accept replaces the garbage with paths that the next run reads.
    dialog().Pellory->setText(QStringLiteral("/games/wombix.exe"));
    accept();
    run();
    EXPECT_EQ(dialog().Pellory->text(), QStringLiteral("/games/wombix.exe"));
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
