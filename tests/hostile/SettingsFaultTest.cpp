// The game paths when the settings file is broken: it cannot be read or
// written, it holds garbage, or it holds very long values. Loading must
// work and crash nothing, and a path the user entered must never be lost:
// when it cannot be stored, Accept says so and the boxes keep it.
#include "FakePlatform.h"
#include "platform/QtSettingsStore.h"
#include "platform/Timer.h"
#include "settings/GamePaths.h"
#include "settings/GamePathsController.h"
#include "settings/PathsDialog.h"
#include "ui/Form1.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <unistd.h>

namespace pollwick {

void PrintTo(const GamePaths& paths, std::ostream* out)
{
    for (const QString* path : {&paths.Normal, &paths.Ambrel, &paths.Corvane, &paths.Pellory}) {
        *out << '"' << path->left(40).toStdString() << "\" (" << path->size() << ") ";
    }
}

namespace {

const QString kNotSaved = QStringLiteral("could not be saved");

class SettingsFaultTest : public ::testing::Test
{
public:
    ~SettingsFaultTest() override { form.reset(); }
    SettingsFaultTest(const SettingsFaultTest&) = delete;
    SettingsFaultTest& operator=(const SettingsFaultTest&) = delete;

protected:
    SettingsFaultTest()
    {
        useFolder(folder.path());
        platform.store = &disk;
    }

    static void useFolder(const QString& path)
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, path);
    }
    [[nodiscard]] QString settingsFile() const
    {
        return folder.filePath(QStringLiteral("Wombix Pollwick.conf"));
    }
    void writeSettingsFile(const QByteArray& content) const
    {
        QFile file(settingsFile());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(file.write(content), content.size());
    }

    // A run of the program: a new main window that loads the stored paths.
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
    void accept() { QTest::mouseClick(dialog().Command7, Qt::LeftButton); }
    [[nodiscard]] bool toldNotSaved() const
    {
        for (const auto& shown : platform.messages.shown) {
            if (shown.prompt.contains(kNotSaved)) {
                return true;
            }
        }
        return false;
    }

    // The paths cannot be stored: the start-up check asks for them, Accept
    // says that they were not kept, and they stay in use for this run.
    void expectPathsKeptThoughNotStored()
    {
        run();
        EXPECT_EQ(boxes(), GamePaths{});
        static_cast<test::ManualTimer&>(*form->Timer1).fire();
        ASSERT_TRUE(dialog().isVisible());
        EXPECT_FALSE(form->isEnabled());

        type(kPaths);
        accept();
        EXPECT_TRUE(toldNotSaved());
        EXPECT_EQ(boxes(), kPaths);
        EXPECT_TRUE(form->isEnabled());
        EXPECT_FALSE(dialog().isVisible());
        EXPECT_EQ(form->paths().pathFor(GameEdition::Ambrel), kPaths.Ambrel);

        // "Wombix Paths" again: the paths are still the ones entered, not
        // the empty store, and Accept tells again that they are not kept.
        QTest::mouseClick(form->Command5, Qt::LeftButton);
        ASSERT_TRUE(dialog().isVisible());
        EXPECT_EQ(boxes(), kPaths);
        const std::size_t told = platform.messages.shown.size();
        accept();
        EXPECT_EQ(platform.messages.shown.size(), told + 1);
        EXPECT_EQ(boxes(), kPaths);
        EXPECT_EQ(form->paths().pathFor(GameEdition::Pellory), kPaths.Pellory);
    }

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

TEST_F(SettingsFaultTest, AFolderWhereTheFileShouldBe)
{
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("Wombix Pollwick.conf")));
    expectPathsKeptThoughNotStored();
}

TEST_F(SettingsFaultTest, AFileWhereTheFolderShouldBe)
{
    const QString notAFolder = folder.filePath(QStringLiteral("config"));
    QFile file(notAFolder);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    useFolder(notAFolder);
    expectPathsKeptThoughNotStored();
}

TEST_F(SettingsFaultTest, AFileWithoutReadPermission)
{
    if (::geteuid() == 0) {
        GTEST_SKIP() << "permissions do not stop root; the two tests above cover it";
    }
    writeSettingsFile("[Paths]\nNormal=/games/wombix.exe\n");
    ASSERT_TRUE(QFile::setPermissions(settingsFile(), QFileDevice::Permissions()));
    expectPathsKeptThoughNotStored();
}

TEST_F(SettingsFaultTest, GarbageLoadsAndAcceptNeverLosesThePaths)
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
    const QByteArray contents[] = {
        random,
        QByteArray(4096, '\0'),
        "[Paths\nNormal=unterminated section\n",
        "[Paths]\nNormal=\"unterminated quote\nAmbrel=a, b, c\n",
        "[Paths]\nNormal=@Invalid()\nAmbrel=@ByteArray(\\xff\\xfe)\nPellory=@Variant(\n",
        hugeClaims,
        "[Paths]\n" + QByteArray(200000, '=') + "\n" + QByteArray(200000, '[') + "\n",
        "[Paths]\nNormal=\xff\xfe\xc0\x80 not UTF-8\nNormal=twice\n\\=\\\\\n",
        "[%General]\n[Paths]\n[Paths]\nNormal\nAmbrel=\n=no key\n",
    };
    for (const QByteArray& content : contents) {
        SCOPED_TRACE(content.left(40).toStdString());
        platform.messages.shown.clear();
        writeSettingsFile(content);
        run();
        // Whatever it read, the window is up and the dialog works.
        static_cast<test::ManualTimer&>(*form->Timer1).fire();
        QTest::mouseClick(form->Command5, Qt::LeftButton);
        ASSERT_TRUE(dialog().isVisible());
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

TEST_F(SettingsFaultTest, AMegabytePathLoadsAndIsStoredWhole)
{
    const QString longPath =
        QStringLiteral("/games/") + QString(1 << 20, u'w') + QStringLiteral("/wombix.exe");
    {
        QSettings file(settingsFile(), QSettings::IniFormat);
        file.setValue(QStringLiteral("Paths/Corvane"), longPath);
        file.sync();
        ASSERT_EQ(file.status(), QSettings::NoError);
    }
    run();
    EXPECT_EQ(boxes().Corvane.size(), longPath.size());
    EXPECT_EQ(boxes().Corvane, longPath);

    // Typed into another box, accepted, read back by the next run.
    QTest::mouseClick(form->Command5, Qt::LeftButton);
    const QString typed = QStringLiteral("D:\\Spiele\\W\u00f6mbix ") + QString(1 << 20, u'x') +
        QStringLiteral("\\wombix.exe");
    dialog().Pellory->setText(typed);
    accept();
    EXPECT_FALSE(toldNotSaved());
    run();
    EXPECT_EQ(boxes().Corvane, longPath);
    EXPECT_EQ(boxes().Pellory, typed);
}

} // namespace
} // namespace pollwick
