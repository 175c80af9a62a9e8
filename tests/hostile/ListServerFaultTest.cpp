// The main window against list servers that fail or misbehave. In every
// case the window must keep answering, hold no more than the limits allow,
// list exactly what the rules say, and query again as if nothing happened.
#include "ListServerWindow.h"
#include "core/Windows1252.h"
#include "platform/ClientSocket.h"
#include "window/ServerListView.h"
#include "window/scan/ListExchange.h"
#include "window/scan/ScanController.h"
#include "window/settings/GamePathsController.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHelpEvent>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <algorithm>

namespace pollwick::test {
namespace {

using sim::Misbehaviour;

class ListServerFaultTest : public ListServerWindow
{
protected:
    // A first, well-behaved response, so that a failure afterwards can be
    // seen to leave its rows alone.
    void listFirstResponse()
    {
        server.setResponse(kFirst);
        matchNothing();
        go();
        ASSERT_TRUE(waitForResponse(1));
        ASSERT_EQ(column(0), QStringList({QStringLiteral("First"), QStringLiteral("Second")}));
    }

    // After a query that got nothing: the rows and buffers of the last
    // response are still there, and the scan goes on.
    void expectLastResponseKept()
    {
        EXPECT_EQ(column(0), QStringList({QStringLiteral("First"), QStringLiteral("Second")}));
        EXPECT_EQ(form->exchange().List(), kFirst.toStdString());
        EXPECT_EQ(form->scan().state(), ScanState::Scanning);
        EXPECT_EQ(form->MatchArmed, 1);
    }

    const QByteArray kFirst = serverLine("192.0.2.1", "battle 1.24   [1/16] First") +
        serverLine("192.0.2.2", "battle 1.24   [2/16] Second");
};

TEST_F(ListServerFaultTest, UnreachableHostsLeaveTheLastListAndTheScan)
{
    listFirstResponse();
    const QString refused = unusedLoopbackAddress();
    ASSERT_FALSE(refused.isEmpty());
    // Refused; not a valid host name (spaces), so that it fails before any
    // name server is asked; empty.
    for (const QString& host :
         {refused, QStringLiteral("no such list server.invalid"), QString()}) {
        SCOPED_TRACE(host.toStdString());
        // Given in RemHost mid-scan, twice: failing again changes nothing either.
        for (int attempt = 0; attempt < 2; ++attempt) {
            form->RemHost->setEditText(host);
            refresh();
            EXPECT_EQ(form->Winsock1->remoteHost(), host);
            // The socket gives up by itself, and nothing of it reaches the window.
            ASSERT_TRUE(waitUntil([&] { return !form->Winsock1->isOpen(); }, 10000));
            expectLastResponseKept();
        }
        expectWindowAnswers();
    }
    EXPECT_EQ(server.connectionCount(), 1);
    expectNextQueryWorks();
}

TEST_F(ListServerFaultTest, AcceptsAndNeverSends)
{
    listFirstResponse();
    server.setMisbehaviour(Misbehaviour::NeverAnswer);
    refresh();
    ASSERT_TRUE(waitUntil([&] { return server.connectionCount() == 2; }));
    ASSERT_TRUE(waitUntil([&] { return server.openConnections() == 1; }));
    EXPECT_TRUE(form->Winsock1->isOpen());
    expectWindowAnswers();
    expectLastResponseKept();
    EXPECT_EQ(arrivals, 1);
    // The next tick drops the silent connection for a fresh one.
    expectNextQueryWorks();
    EXPECT_EQ(server.openConnections(), 0);
}

TEST_F(ListServerFaultTest, AnAnswerThatComesLateIsListedWhenItComes)
{
    listFirstResponse();
    server.setMisbehaviour(Misbehaviour::AnswerLate);
    server.setAnswerDelay(1000);
    server.setResponse(serverLine("192.0.2.30", "ctf 1.21 s [4/8] Late"));
    refresh();
    ASSERT_TRUE(waitUntil([&] { return server.openConnections() == 1; }));
    // Connected, nothing sent yet: the last list stays.
    expectLastResponseKept();
    ASSERT_TRUE(waitForResponse(2));
    EXPECT_EQ(rows(),
              (std::vector<QStringList>{{"Late", "Ctf", "1.21 s", "4/8", "   192.0.2.30"}}));
    expectNextQueryWorks();
}

TEST_F(ListServerFaultTest, OneBytePer100msArrivesAsOneIntactLine)
{
    const QByteArray line = serverLine("10.1.2.3", "ctf 1.24 x [1/8] Slow");
    server.setResponse(line);
    server.setMisbehaviour(Misbehaviour::OneBytePer100ms);
    std::vector<int> rowsSeen;
    ListExchange& exchange = form->exchange();
    exchange.arrivalHook = [this, &rowsSeen, counted = exchange.arrivalHook] {
        counted();
        rowsSeen.push_back(rowCount());
    };
    matchNothing();
    go();
    // One byte every 100 ms: the line is complete after about 3.5 s.
    const int boundMs = 100 * static_cast<int>(line.size()) + 10000;
    ASSERT_TRUE(waitForResponse(1, boundMs));

    EXPECT_EQ(rows(), (std::vector<QStringList>{{"Slow", "Ctf", "1.24 x", "1/8", "   10.1.2.3"}}));
    // It came in many pieces, and nothing was listed before its LF.
    EXPECT_GE(arrivals, 10);
    ASSERT_FALSE(rowsSeen.empty());
    EXPECT_EQ(rowsSeen.back(), 1);
    EXPECT_EQ(std::count(rowsSeen.begin(), rowsSeen.end(), 1), 1);
    EXPECT_EQ(bytesArrived, static_cast<std::size_t>(line.size()));
    expectNextQueryWorks();
}

TEST_F(ListServerFaultTest, ResetMidLineListsNothingOfTheCutLine)
{
    // Three lines of one length: the server cuts the middle one in half.
    server.setResponse(serverLine("192.0.2.11", "battle 1.24   [1/16] Whole One") +
                       serverLine("192.0.2.12", "battle 1.24   [1/16] Cut Line!") +
                       serverLine("192.0.2.13", "battle 1.24   [1/16] Never Got"));
    server.setMisbehaviour(Misbehaviour::ResetMidLine);
    matchNothing();
    go();
    ASSERT_TRUE(waitForResponse(1));
    EXPECT_EQ(column(0), QStringList(QStringLiteral("Whole One")));
    EXPECT_EQ(form->exchange().walk().entriesInResponse(), 1U);
    EXPECT_GT(form->exchange().walk().pendingLineBytes(), 0U); // the head, never listed
    expectWindowAnswers();
    // The head of the cut line does not join the next response's first line.
    expectNextQueryWorks();
}

TEST_F(ListServerFaultTest, NeverEndingLinesStopAtTheEntryLimitAndTheConnectionCloses)
{
    server.setResponse(serverLine("192.0.2.1", "battle 1.24   [1/16] Again And Again"));
    server.setMisbehaviour(Misbehaviour::NeverStop);
    matchNothing();
    go();
    // Nothing past the limit could be listed: the window stops reading.
    ASSERT_TRUE(waitForResponse());
    EXPECT_EQ(form->exchange().walk().entriesInResponse(), kMaxEntries);
    EXPECT_EQ(rowCount(), static_cast<int>(kMaxEntries));
    expectBounded();
    expectWindowAnswers();
    expectNextQueryWorks();
}

TEST_F(ListServerFaultTest, EndlessLineIsNeverListedAndItsTailStaysBounded)
{
    server.setMisbehaviour(Misbehaviour::EndlessLine);
    matchNothing();
    go();
    // Well past the line limit, several times over.
    ASSERT_TRUE(waitUntil([&] { return bytesArrived > 4 * kMaxLineBytes; }, 60000))
        << bytesArrived << " bytes arrived";
    const ResponseWalk& walk = form->exchange().walk();
    EXPECT_EQ(rowCount(), 0);
    EXPECT_EQ(walk.entriesInResponse(), 0U);
    EXPECT_TRUE(form->exchange().ServList().empty());
    expectBounded();
    expectWindowAnswers();
    ASSERT_TRUE(waitUntil([&] { return bytesArrived > 8 * kMaxLineBytes; }, 60000));
    EXPECT_EQ(rowCount(), 0);
    expectBounded();
    expectNextQueryWorks();
}

// Text with a NUL byte for every "~".
QByteArray withNuls(QByteArray text)
{
    text.replace('~', '\0');
    return text;
}

// The bytes as Windows-1252 shows them, one character each.
QString shown(const QByteArray& bytes)
{
    QString text;
    for (const char c : bytes) {
        text += QChar(static_cast<char16_t>(cp1252::toUnicode(static_cast<unsigned char>(c))));
    }
    return text;
}

TEST_F(ListServerFaultTest, EveryByteValueAndNulsAreShownAsWindows1252)
{
    // The name holds every byte but LF, so that one line carries them all.
    QByteArray every;
    for (int b = 0; b < 256; ++b) {
        if (b != '\n') {
            every += static_cast<char>(b);
        }
    }
    const QByteArray nuls = withNuls("~192.0.2.8~:1 ~battle~ 1.21   [~ 2/8~] ~Nul~Name~\r\n");
    server.setResponse(serverLine("192.0.2.7", "battle 1.24   [1/16] " + every) + nuls);
    matchNothing();
    go();
    ASSERT_TRUE(waitForResponse(1));
    ASSERT_EQ(rowCount(), 2);

    // The name: "|" is a colour code and goes; the CR that ends the line is
    // not part of it.
    QByteArray name = every;
    name.replace("|", "");
    EXPECT_EQ(
        rows(),
        (std::vector<QStringList>{{shown(name), "Battle", "1.24", "1/16", "   192.0.2.7"},
                                  {shown(withNuls("~Nul~Name~")), "Battle", "1.21",
                                   shown(withNuls("~ 2/8~")), shown(withNuls("   ~192.0.2.8~"))}}));
    expectWindowAnswers();
    expectNextQueryWorks();
}

// The tool tip that the server list shows for a row.
QLabel* toolTipFor(ServerListView& view, int row, int column)
{
    const QRect cell = view.visualRect(view.model().index(row, column));
    QHelpEvent event(QEvent::ToolTip, cell.center(), view.viewport()->mapToGlobal(cell.center()));
    QApplication::sendEvent(view.viewport(), &event);
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->inherits("QTipLabel") && widget->isVisible()) {
            return qobject_cast<QLabel*>(widget);
        }
    }
    return nullptr;
}

TEST_F(ListServerFaultTest, MarkupInANameIsShownAsTextEvenInTheToolTip)
{
    // A tall picture on this machine: shown only if the name were read as
    // HTML, which would also let a list server make the window read any
    // local file (or /dev/zero, without end) when a row is pointed at.
    QTemporaryDir folder;
    const QString picture = folder.filePath(QStringLiteral("tall.png"));
    QImage tall(8, 400, QImage::Format_RGB32);
    tall.fill(Qt::red);
    ASSERT_TRUE(tall.save(picture));
    const QByteArray name = "<img src=\"" + picture.toUtf8() + "\"><b>Bold</b>";
    server.setResponse(serverLine("192.0.2.50", "battle 1.24   [1/16] " + name));
    matchNothing();
    go();
    ASSERT_TRUE(waitForResponse(1));
    ASSERT_EQ(column(0), QStringList(QString::fromUtf8(name)));

    click(form->Check1); // Show List
    QLabel* tip = toolTipFor(*form->ListView1, 0, 0);
    ASSERT_NE(tip, nullptr) << "no tool tip shown";
    EXPECT_LT(tip->sizeHint().height(), 100) << "the name was laid out as HTML";
    // The name is there, as text.
    EXPECT_TRUE(tip->text().contains(QStringLiteral("&lt;b&gt;Bold&lt;/b&gt;")))
        << tip->text().toStdString();
    expectNextQueryWorks();
}

TEST_F(ListServerFaultTest, RandomBytesAreHandledWithinTheLimits)
{
    server.setMisbehaviour(Misbehaviour::Garbage);
    matchNothing();
    go();
    ASSERT_TRUE(waitForResponse(1));
    const ResponseWalk& walk = form->exchange().walk();
    EXPECT_GT(walk.entriesInResponse(), 0U);
    EXPECT_EQ(static_cast<std::size_t>(rowCount()), walk.entriesInResponse());
    expectBounded();
    expectWindowAnswers();
    expectNextQueryWorks();
}

TEST_F(ListServerFaultTest, MoreThan32767LinesListTheFirst32767)
{
    constexpr int kLines = 40000;
    QByteArray response;
    for (int i = 0; i < kLines; ++i) {
        response += serverLine(QByteArray("10.0.") + QByteArray::number(i / 256) + '.' +
                                   QByteArray::number(i % 256),
                               "battle 1.24   [1/16] Server " + QByteArray::number(i));
    }
    server.setResponse(response);
    matchNothing();
    go();
    ASSERT_TRUE(waitForResponse(1, 60000));
    ASSERT_EQ(rowCount(), static_cast<int>(kMaxEntries));
    EXPECT_EQ(form->exchange().walk().discardedLines(),
              static_cast<std::size_t>(kLines) - kMaxEntries);
    EXPECT_EQ(form->ListView1->text(0, 0), QStringLiteral("Server 0"));
    EXPECT_EQ(lastRowName(), QStringLiteral("Server 32766"));
    expectBounded();
    expectWindowAnswers();
    expectNextQueryWorks();
}

TEST_F(ListServerFaultTest, TenMegabyteLineIsDroppedWholeAndTheNextLineListed)
{
    const QByteArray huge = "10.0.0.2:7 battle 1.24   [1/16] " + QByteArray(10 << 20, 'L') + "\r\n";
    server.setResponse(serverLine("10.0.0.1", "battle 1.24   [1/16] Before") + huge +
                       serverLine("10.0.0.3", "treasure 1.21   [2/16] After"));
    matchNothing();
    go();
    ASSERT_TRUE(waitForResponse(1, 60000));
    EXPECT_EQ(rows(),
              (std::vector<QStringList>{{"Before", "Battle", "1.24", "1/16", "   10.0.0.1"},
                                        {"After", "Treasure", "1.21", "2/16", "   10.0.0.3"}}));
    EXPECT_EQ(form->exchange().walk().discardedLines(), 1U);
    EXPECT_GT(arrivals, 10); // read in pieces no bigger than the read buffer
    expectBounded();
    expectWindowAnswers();
    expectNextQueryWorks();
}

class AnswerAfterStopTest : public ListServerFaultTest
{
protected:
    void SetUp() override
    {
        ListServerFaultTest::SetUp();
        // Held until the test releases it.
        server.setMisbehaviour(Misbehaviour::AnswerLate);
        server.setAnswerDelay(10 * 60 * 1000);
        server.setResponse(serverLine("192.0.2.43", "battle 1.24   [1/16] Somewhere Else") +
                           serverLine("192.0.2.44", "battle 1.24   [3/16] Dusk Arena") +
                           serverLine("192.0.2.45", "battle 1.24   [3/16] Not Reached"));
    }

    void goThenStopBeforeTheAnswer()
    {
        go();
        ASSERT_TRUE(waitUntil([&] { return server.openConnections() == 1; }));
        clickLater(form->Command2);
        ASSERT_TRUE(waitUntil([&] { return form->scan().state() == ScanState::Ready; }));
        EXPECT_EQ(form->MatchArmed, 1);
        EXPECT_TRUE(form->Winsock1->isOpen());
        EXPECT_EQ(rowCount(), 0);
        server.releaseHeld();
    }
};

TEST_F(AnswerAfterStopTest, AMatchInALateListStillRunsTheActions)
{
    click(form->NameCheck);
    form->FName->setText(QStringLiteral("dusk"));
    click(form->MsgCheck);
    click(form->WaveCheck);
    form->WaveFile->setText(QStringLiteral("/sounds/up.wav"));
    click(form->WombixCheck);
    platform.storePath(QStringLiteral("Ambrel"), QStringLiteral("/games/wombix 1.24/wombix.exe"));
    form->paths().Reload();

    goThenStopBeforeTheAnswer();
    ASSERT_TRUE(waitUntil([&] { return !platform.messages.shown.empty(); }));
    EXPECT_EQ(platform.sounds.played, QStringList(QStringLiteral("/sounds/up.wav")));
    ASSERT_EQ(platform.games.started.size(), 1U);
    EXPECT_EQ(platform.games.started[0].program, QStringLiteral("/games/wombix 1.24/wombix.exe"));
    EXPECT_EQ(platform.games.started[0].arguments,
              QStringList({QStringLiteral("-connect"), QStringLiteral("192.0.2.44")}));
    // The walk ended at the match; the actions closed the connection.
    EXPECT_EQ(column(0),
              QStringList({QStringLiteral("Somewhere Else"), QStringLiteral("Dusk Arena")}));
    EXPECT_EQ(form->MatchArmed, 0);
    EXPECT_EQ(form->scan().state(), ScanState::Ready);
    EXPECT_FALSE(form->Winsock1->isOpen());
    expectWindowAnswers();
}

TEST_F(ListServerFaultTest, TheNextTickCutsAResponseStillArriving)
{
    // The old response stops in the middle of its second line; the rest
    // would come ten minutes later.
    const QByteArray first = serverLine("192.0.2.1", "battle 1.24   [1/16] Old One");
    const QByteArray old = first + serverLine("192.0.2.2", "battle 1.24   [1/16] Old Two") +
        serverLine("192.0.2.3", "battle 1.24   [1/16] Old Three");
    server.setResponse(old);
    server.setChunking(static_cast<int>(first.size()) + 15, 10 * 60 * 1000);
    matchNothing();
    go();
    const ResponseWalk& walk = form->exchange().walk();
    ASSERT_TRUE(waitUntil([&] { return rowCount() == 1 && walk.pendingLineBytes() == 15; }));
    EXPECT_EQ(column(0), QStringList(QStringLiteral("Old One")));

    // The tick closes the old connection; the new response replaces the rows,
    // and the head of the cut line does not join its first line.
    expectNextQueryWorks();
    EXPECT_EQ(form->exchange().List().find("Old"), std::string::npos);
}

} // namespace
} // namespace pollwick::test
