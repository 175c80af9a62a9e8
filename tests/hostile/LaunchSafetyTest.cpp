// What a list server can make the window start: only the game path that the
// user chose, with "-connect" and the matched line's own address as one
// argument, whatever that address holds; and nothing for a private server
// or for an address or version that an earlier line left in the record.
#include "ListServerWindow.h"
#include "platform/ClientSocket.h"
#include "window/ServerListView.h"
#include "window/scan/ScanController.h"
#include "window/settings/GamePathsController.h"
#include "window/settings/PathsDialog.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

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
        click(form->MsgCheck);
        click(form->WombixCheck);
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
        {"; rm -rf ~ & $(reboot) `id` | sh", QStringLiteral("; rm -rf ~ & $(reboot) `id` | sh")},
        {"\"10.0.0.5\" \"-exec\" 'x'", QStringLiteral("\"10.0.0.5\" \"-exec\" 'x'")},
        {"-connect 6.6.6.6 -exec evil.exe", QStringLiteral("-connect 6.6.6.6 -exec evil.exe")},
        {"10.0.0.5\r-exec evil", QStringLiteral("10.0.0.5\r-exec evil")},
        {"10.0.0.5\t-exec\tevil", QStringLiteral("10.0.0.5\t-exec\tevil")},
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

TEST_F(LaunchSafetyTest, NothingStartsForAPrivateServer)
{
    click(form->ScanCheck); // private servers count
    scanUntilMatch(serverLine("10.0.0.7", "private battle 1.24   [1/16] Hidden; rm -rf ~"));
    EXPECT_EQ(form->ListView1->text(0, 4), QStringLiteral("Private"));
    EXPECT_TRUE(platform.games.started.empty());
}

TEST_F(LaunchSafetyTest, NothingStartsForAnAddressOrVersionLeftByAnEarlierLine)
{
    // A public line that is not wanted, then the wanted one without an
    // address (no ":") or without a version marker of its own: the record
    // still holds the first line's.
    click(form->NameCheck);
    replaceText(form->FName, QStringLiteral("wanted"));
    const QByteArray first = serverLine("10.0.0.8", "battle 1.24   [1/16] First");
    for (const QByteArray& second : {QByteArray("NoAddressHere battle 1.24   [1/16] Wanted\r\n"),
                                     serverLine("10.0.0.9", "battle [1/16] Wanted 1.24")}) {
        SCOPED_TRACE(second.toStdString());
        scanUntilMatch(first + second);
        EXPECT_EQ(rowCount(), 2);
        EXPECT_TRUE(platform.games.started.empty());
    }
}

TEST_F(LaunchSafetyTest, NothingStartsForAnAddressOfSpacesOnly)
{
    scanUntilMatch(QByteArray("   :7000 battle 1.24   [1/16] Blank\r\n"));
    EXPECT_TRUE(platform.games.started.empty());
}

} // namespace
} // namespace pollwick::test
