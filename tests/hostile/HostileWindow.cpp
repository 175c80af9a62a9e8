#include "HostileWindow.h"

#include "platform/ClientSocket.h"
#include "platform/Timer.h"
#include "scan/ListExchange.h"
#include "scan/ScanController.h"
#include "ui/ServerListView.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTcpServer>
#include <QTest>
#include <QTimer>

#include <algorithm>

namespace pollwick::test {

QByteArray serverLine(const QByteArray& address, const QByteArray& rest)
{
    return address + ":7000 " + rest + "\r\n";
}

bool pumpUntil(const std::function<bool()>& done, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    // Wakes the wait below now and then, so that the deadline is seen.
    QTimer wake;
    wake.start(20);
    while (!done()) {
        if (deadline.hasExpired()) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    return true;
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

HostileWindowTest::HostileWindowTest()
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

HostileWindowTest::~HostileWindowTest()
{
    form.reset();
}

void HostileWindowTest::SetUp()
{
    ASSERT_TRUE(sim::listenOnFreeLoopback(server)) << "no free loopback address";
}

QString HostileWindowTest::serverHost() const
{
    return server.address().toString();
}

void HostileWindowTest::chooseHost(const QString& host)
{
    form->RemHost->setEditText(host);
    static_cast<ManualTimer&>(*form->Timer2).fire();
}

void HostileWindowTest::neverMatch()
{
    QTest::mouseClick(form->NameCheck, Qt::LeftButton);
    form->FName->setText(QStringLiteral("no server is called this"));
}

void HostileWindowTest::go()
{
    ASSERT_TRUE(form->Command1->isEnabled());
    QTest::mouseClick(form->Command1, Qt::LeftButton);
    ASSERT_EQ(form->scan().state(), ScanState::Scanning);
}

void HostileWindowTest::refresh()
{
    static_cast<ManualTimer&>(*form->Refresh1).fire();
}

int HostileWindowTest::rows() const
{
    return form->ListView1->rows();
}

QStringList HostileWindowTest::column(int column) const
{
    QStringList texts;
    for (int row = 0; row < rows(); ++row) {
        texts << form->ListView1->text(row, column);
    }
    return texts;
}

bool HostileWindowTest::waitForResponse(int number, int timeoutMs)
{
    return waitUntil(
        [&] {
            return server.connectionCount() >= number && server.openConnections() == 0 &&
                !form->Winsock1->isOpen();
        },
        timeoutMs);
}

void HostileWindowTest::clickLater(QAbstractButton* button)
{
    QMetaObject::invokeMethod(button, &QAbstractButton::click, Qt::QueuedConnection);
}

void HostileWindowTest::expectWindowAnswers()
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

void HostileWindowTest::expectNextQueryWorks()
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
    EXPECT_EQ(column(0), QStringList({QStringLiteral("Next One"), QStringLiteral("Next Two")}));
    EXPECT_EQ(column(4),
              QStringList({QStringLiteral("   192.0.2.200"), QStringLiteral("   192.0.2.201")}));
    const ResponseWalk& walk = form->exchange().walk();
    EXPECT_EQ(walk.entriesInResponse(), 2U);
    EXPECT_EQ(walk.discardedLines(), 0U);
    EXPECT_EQ(walk.pendingLineBytes(), 0U);
    EXPECT_EQ(form->scan().state(), ScanState::Scanning);
}

void HostileWindowTest::expectBounded()
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
