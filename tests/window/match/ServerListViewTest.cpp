// The server list as the user sees it after "Show List": rows
// that keep the texts the records held when listed, and that it is for
// looking at only.
#include "window/ServerListView.h"

#include "ListServerWindow.h"
#include "window/scan/ScanController.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QTest>

namespace pollwick {
namespace {

class ServerListViewTest : public test::ListServerWindow
{
protected:
    void SetUp() override
    {
        ListServerWindow::SetUp();
        click(form->Check1); // "Show List" widens the window to the list
    }
};

TEST_F(ServerListViewTest, RowsShowTheTextsAsTheRecordsHeldThemWhenListed)
{
    // Everything is passed over (private or full), so the match test
    // lower-cases each address after its row has been added.
    server.setResponse("private 10.0.0.1:7000 battle 1.24   [2/16]  Two  Spaces  \r\n"
                       "Host.EXAMPLE:7000 ctf 1.21 x [8/8] \xa7x|Name\xa7"
                       "9\r\n"
                       "\n"
                       "10.0.0.3:7000 battle No Bracket\r\n");
    ASSERT_TRUE(goAndWait());
    const std::vector<QStringList> expected = {
        {" Two  Spaces  ", "Battle", "1.24", "2/16", "Private"},
        {QStringLiteral("\u00a7xName"), "Ctf", "1.21 x", "8/8", "   Host.EXAMPLE"},
        // An empty line: a name of one space, the rest carried over, the
        // address as the match test left it.
        {" ", "Ctf", "1.21 x", "8/8", "   host.example"},
        // Without "]" the name is the entry less its first and last
        // characters; the players and version are the line before's.
        {"  10.0.0.3:7000 battle No Bracket", "Battle", "1.21 x", "8/8", "   10.0.0.3"},
    };
    EXPECT_EQ(rows(), expected);
    EXPECT_EQ(form->scan().state(), ScanState::Scanning);
}

TEST_F(ServerListViewTest, ClickingOrTypingInTheListChangesNothing)
{
    matchNothing();
    server.setResponse("10.0.0.1:7000 battle 1.24   [2/16] Bravo\r\n"
                       "10.0.0.2:7000 ctf 1.21   [3/16] Alpha\r\n"
                       "10.0.0.3:7000 coop 1.24 s      Coop [1/4] Charlie\r\n");
    ASSERT_TRUE(goAndWait());
    const std::vector<QStringList> before = rows();
    ASSERT_EQ(before.size(), 3U);

    ServerListView& list = *form->ListView1;
    const QPoint second = list.visualRect(list.model().index(1, 0)).center();
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, second);
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, second);
    QTest::keyClick(&list, Qt::Key_F2);
    QTest::keyClicks(&list, QStringLiteral("zz"));
    QTest::keyClick(&list, Qt::Key_Delete);
    QTest::keyClick(&list, Qt::Key_Return);
    // A click on a header does not sort.
    QHeaderView& header = *list.header();
    QTest::mouseClick(header.viewport(), Qt::LeftButton, {},
                      QPoint(header.sectionViewportPosition(0) + 5, header.height() / 2));

    // Narrowing and widening the window again.
    click(form->Check1);
    click(form->Check1);

    EXPECT_TRUE(list.findChildren<QLineEdit*>().isEmpty()); // no editor was opened
    EXPECT_EQ(rows(), before);
    EXPECT_EQ(form->scan().state(), ScanState::Scanning);
    EXPECT_TRUE(platform.messages.shown.empty());
}

} // namespace
} // namespace pollwick
