// The main window's life: load, the one-shot start-up check for game paths,
// "Show List" and closing.
#include "FakePlatform.h"
#include "platform/Timer.h"
#include "window/Form1.h"
#include "window/MainWindowLifecycle.h"
#include "window/ServerListView.h"
#include "window/settings/GamePathsController.h"
#include "window/settings/PathsDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace pollwick {
namespace {

const QString kWarning = QStringLiteral(
    "Wombix Pollwick has not detected any Wombix Paths, Please Specify paths before continuing");

class LifecycleTest : public ::testing::Test
{
protected:
    void start()
    {
        form = std::make_unique<Form1>(platform);
        form->show();
    }
    static void fire(const std::unique_ptr<Timer>& timer)
    {
        static_cast<test::ManualTimer&>(*timer).fire();
    }
    PathsDialog& paths() { return form->paths().Paths(); }

    test::FakePlatform platform;
    std::unique_ptr<Form1> form;
};

TEST_F(LifecycleTest, WithNoPathStoredTheCheckAsksOnceAndTheWindowWaitsForAccept)
{
    start();
    bool dialogUpDuringMessage = true;
    platform.messages.whileShown = [&](const auto&) {
        dialogUpDuringMessage = paths().isVisible();
    };
    fire(form->Timer1);

    ASSERT_EQ(platform.messages.shown.size(), 1U);
    EXPECT_EQ(platform.messages.shown[0].prompt, kWarning);
    EXPECT_EQ(platform.messages.shown[0].title, QStringLiteral("Wombix Pollwick"));
    EXPECT_FALSE(dialogUpDuringMessage); // the dialog comes after OK
    EXPECT_TRUE(paths().isVisible());
    EXPECT_FALSE(form->isEnabled());
    EXPECT_EQ(form->Timer1->interval(), 0);

    // Other timers keep the window alive behind the dialog; it stays
    // disabled until Accept.
    form->RemHost->setEditText(QStringLiteral("127.0.0.1"));
    fire(form->Timer2);
    EXPECT_FALSE(form->isEnabled());
    QTest::mouseClick(paths().Command7, Qt::LeftButton);
    EXPECT_TRUE(form->isEnabled());
    EXPECT_FALSE(paths().isVisible());

    // Still no path, but the check never comes back in this run.
    EXPECT_FALSE(form->Timer1->isRunning());
    fire(form->Timer1);
    EXPECT_EQ(platform.messages.shown.size(), 1U);
    EXPECT_FALSE(paths().isVisible());
}

TEST_F(LifecycleTest, AnyOneStoredPathKeepsTheCheckQuietEvenASpace)
{
    for (const char* key : {"Normal", "Ambrel", "Corvane", "Pellory"}) {
        for (const QString& value : {QStringLiteral("/games/wombix.exe"), QStringLiteral(" ")}) {
            SCOPED_TRACE(std::string(key) + " = '" + value.toStdString() + "'");
            platform.memoryStore.values.clear();
            platform.storePath(QLatin1String(key), value);
            start();
            fire(form->Timer1);
            EXPECT_TRUE(platform.messages.shown.empty());
            EXPECT_FALSE(paths().isVisible());
            EXPECT_TRUE(form->isEnabled());
            EXPECT_EQ(form->Timer1->interval(), 0);
        }
    }
}

TEST_F(LifecycleTest, ShowListChangesOnlyTheWidthAndKeepsTheRows)
{
    platform.storePath(QStringLiteral("Normal"), QStringLiteral("/games/wombix.exe"));
    start();
    ServerRecord record;
    record.serverName = "Spring Arena";
    record.ipAddress = "   192.0.2.10";
    form->ListView1->addRow(record);
    record.serverName = "Autumn Arena";
    form->ListView1->addRow(record);
    form->ListView1->commitRows();
    const QPoint topLeft = form->pos();
    EXPECT_EQ(form->size(), QSize(288, 419));

    QTest::mouseClick(form->Check1, Qt::LeftButton);
    EXPECT_EQ(form->size(), QSize(655, 419));
    EXPECT_EQ(form->pos(), topLeft);
    QTest::mouseClick(form->Check1, Qt::LeftButton);
    EXPECT_EQ(form->size(), QSize(288, 419));
    EXPECT_EQ(form->pos(), topLeft);
    QTest::mouseClick(form->Check1, Qt::LeftButton);
    EXPECT_EQ(form->width(), 655);

    ASSERT_EQ(form->ListView1->rows(), 2);
    EXPECT_EQ(form->ListView1->text(1, 0).toStdString(), "Autumn Arena");
}

TEST_F(LifecycleTest, ClosingTheWindowEndsTheProgramEvenDuringAScanBehindTheDialog)
{
    platform.storePath(QStringLiteral("Normal"), QStringLiteral("/games/wombix.exe"));
    start();
    form->RemHost->setEditText(QStringLiteral("127.0.3.1"));
    fire(form->Timer2);
    QTest::mouseClick(form->Command1, Qt::LeftButton);
    QTest::mouseClick(form->Command5, Qt::LeftButton);
    ASSERT_TRUE(form->Refresh1->isRunning());
    ASSERT_TRUE(paths().isVisible());

    EXPECT_TRUE(form->close()); // never cancelled
    EXPECT_EQ(platform.processEnds, 1);
}

} // namespace
} // namespace pollwick
