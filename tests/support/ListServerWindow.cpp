#include "ListServerWindow.h"

#include "platform/ClientSocket.h"
#include "window/scan/ListExchange.h"
#include "window/scan/ScanController.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTcpServer>
#include <QTimer>

#include <algorithm>

namespace pollwick::test {

QByteArray serverLine(const QByteArray& address, const QByteArray& rest)
{
    return address + ":7000 " + rest + "\r\n";
}

QString unusedLoopbackAddress()
{
    for (int host = 254; host >= 128; --host) {
        QString address = QStringLiteral("127.0.0.%1").arg(host);
        QTcpServer probe;
        if (probe.listen(QHostAddress(address), 10057)) {
            probe.close();
            return address;
        }
    }
    return {};
}

ListServerWindow::ListServerWindow()
{
    platform.storePath(QStringLiteral("Normal"), QStringLiteral("/games/wombix/wombix.exe"));
    form = std::make_unique<Form1>(platform);
    form->show();
    // Count what the window handles, then let it go on as it would.
    ListExchange& exchange = form->exchange();
    exchange.arrivalHook = [this, &exchange, shown = exchange.arrivalHook] {
        ++arrivals;
        bytesArrived += exchange.List().size();
        peakChunkBytes = std::max(peakChunkBytes, exchange.List().size());
        peakServList = std::max(peakServList, exchange.ServList().size());
        peakPendingLineBytes = std::max(peakPendingLineBytes, exchange.walk().pendingLineBytes());
        shown();
    };
}

ListServerWindow::~ListServerWindow()
{
    form.reset();
}

void ListServerWindow::SetUp()
{
    ASSERT_TRUE(sim::listenOnFreeLoopback(server)) << "no free loopback address";
    chooseHost(serverHost());
    ASSERT_EQ(form->scan().state(), ScanState::Ready);
}

void ListServerWindow::chooseHost(const QString& host)
{
    replaceText(form->RemHost, host);
    fire(*form->Timer2);
}

void ListServerWindow::click(QCheckBox* box)
{
    QStyleOptionButton option;
    option.initFrom(box);
    option.text = box->text();
    const QRect target = box->style()->subElementRect(QStyle::SE_CheckBoxClickRect, &option, box);
    QTest::mouseClick(box, Qt::LeftButton, {}, target.center());
}

void ListServerWindow::replaceText(QWidget* box, const QString& text)
{
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_Backspace);
    for (const QChar c : text) {
        if (c.unicode() < 0x80) {
            QTest::keyClick(box, c.toLatin1());
        } else {
            QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
    }
}

void ListServerWindow::replaceText(QComboBox* box, const QString& text)
{
    replaceText(box->lineEdit(), text);
}

void ListServerWindow::matchNothing()
{
    click(form->VersionCheck); // Combo2 still reads "Version Select"
    ASSERT_TRUE(form->VersionCheck->isChecked());
}

void ListServerWindow::go()
{
    ASSERT_TRUE(form->Command1->isEnabled());
    click(form->Command1);
    ASSERT_EQ(form->scan().state(), ScanState::Scanning);
}

bool ListServerWindow::waitForResponse(int number, int timeoutMs)
{
    return waitUntil(
        [&] {
            return server.connectionCount() >= number && server.openConnections() == 0 &&
                !form->Winsock1->isOpen();
        },
        timeoutMs);
}

bool ListServerWindow::goAndWait()
{
    const int number = server.connectionCount() + 1;
    click(form->Command1);
    return waitForResponse(number);
}

std::vector<QStringList> ListServerWindow::rows() const
{
    std::vector<QStringList> shown;
    const QAbstractItemModel& model = form->ListView1->model();
    for (int row = 0; row < model.rowCount(); ++row) {
        QStringList texts;
        for (int column = 0; column < model.columnCount(); ++column) {
            texts << model.index(row, column).data().toString();
        }
        shown.push_back(texts);
    }
    return shown;
}

QStringList ListServerWindow::column(int column) const
{
    QStringList texts;
    for (int row = 0; row < rowCount(); ++row) {
        texts << form->ListView1->text(row, column);
    }
    return texts;
}

void ListServerWindow::expectWindowAnswers()
{
    const int narrow = form->width();
    ASSERT_FALSE(form->Check1->isChecked());
    clickLater(form->Check1);
    EXPECT_TRUE(waitUntil([&] { return form->Check1->isChecked() && form->width() > narrow; }))
        << "Show List was not handled in time";
    clickLater(form->Check1);
    EXPECT_TRUE(waitUntil([&] { return !form->Check1->isChecked() && form->width() == narrow; }))
        << "Show List was not handled in time";
}

void ListServerWindow::expectNextQueryWorks()
{
    ASSERT_EQ(form->scan().state(), ScanState::Scanning);
    server.setMisbehaviour(sim::Misbehaviour::None);
    server.setChunking(0, 0);
    server.setResponse(serverLine("192.0.2.200", "battle 1.24   [2/16] Next One") +
                       serverLine("192.0.2.201", "ctf 1.21 x [3/8] Next Two"));
    form->RemHost->setEditText(serverHost());
    const int number = server.connectionCount() + 1;
    refresh();
    ASSERT_TRUE(waitForResponse(number)) << "the next query got no answer";
    EXPECT_EQ(rows(),
              (std::vector<QStringList>{{"Next One", "Battle", "1.24", "2/16", "   192.0.2.200"},
                                        {"Next Two", "Ctf", "1.21 x", "3/8", "   192.0.2.201"}}));
    const ResponseWalk& walk = form->exchange().walk();
    EXPECT_EQ(walk.discardedLines(), 0U);
    EXPECT_EQ(walk.pendingLineBytes(), 0U);
    EXPECT_EQ(form->scan().state(), ScanState::Scanning);
    EXPECT_EQ(form->Refresh1->interval(), 5000);
}

void ListServerWindow::expectBounded()
{
    const ListExchange& exchange = form->exchange();
    const ResponseWalk& walk = exchange.walk();
    EXPECT_LE(walk.entriesInResponse(), kMaxEntries);
    EXPECT_LE(exchange.ServList().size(), kMaxEntries);
    EXPECT_LE(walk.pendingLineBytes(), kMaxLineBytes);
    EXPECT_LE(exchange.List().size(), kMaxChunkBytes);
    EXPECT_LE(exchange.Templist().size(), kMaxChunkBytes);
    EXPECT_LE(static_cast<std::size_t>(form->ListView1->model().rowsAdded()), kMaxEntries);
    std::size_t longest = 0;
    for (const std::string& entry : exchange.ServList()) {
        longest = std::max(longest, entry.size());
    }
    EXPECT_LE(longest, 3 + kMaxLineBytes);
    EXPECT_LE(peakChunkBytes, kMaxChunkBytes);
    EXPECT_LE(peakServList, kMaxEntries);
    EXPECT_LE(peakPendingLineBytes, kMaxLineBytes);
}

} // namespace pollwick::test
