// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ListServerWindow.h"

#include "window/StatusLine.h"

#include <QTcpServer>

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
        if (probe.listen(QHostAddress(address), kListServerPort)) {
            return address;
        }
    }
    return {};
}

ListServerWindow::ListServerWindow()
    : WindowTest(true)
{
    // Count what the window handles, as each arrival has been walked.
    const ListExchange& exchange = form->exchange();
    QObject::connect(&exchange, &ListExchange::arrivalWalked, form.get(),
                     [this, &exchange](const std::string& chunk) {
                         const ResponseWalk& walk = exchange.walk();
                         ++arrivals;
                         peakChunkBytes = std::max(peakChunkBytes, chunk.size());
                         peakEntries = std::max(peakEntries, walk.entries().size());
                         peakPendingLineBytes =
                             std::max(peakPendingLineBytes, walk.pendingLineBytes());
                         for (const std::string& entry : walk.entries()) {
                             peakEntryBytes = std::max(peakEntryBytes, entry.size());
                         }
                     });
}

void ListServerWindow::SetUp()
{
    ASSERT_TRUE(sim::listenOnFreeLoopback(server)) << "no free loopback address";
    chooseHost(serverHost());
}

bool ListServerWindow::waitForResponse(int number, int timeoutMs)
{
    return waitUntil(
        [&] {
            return server.connectionCount() >= number && server.openConnections() == 0 &&
                !form->listSocket->isOpen();
        },
        timeoutMs);
}

bool ListServerWindow::statusSays(const QString& text) const
{
    const bool said = waitUntil([&] { return form->status().text().contains(text); });
    EXPECT_TRUE(said) << form->status().text().toStdString();
    return said;
}

void ListServerWindow::expectWindowAnswers()
{
    const int narrow = form->width();
    ASSERT_FALSE(form->showListCheck->isChecked());
    for (const bool wide : {true, false}) {
        // Through the event queue, as a person's click arrives, so that a
        // window whose event loop is starved would not see it in time.
        QMetaObject::invokeMethod(form->showListCheck, &QAbstractButton::click,
                                  Qt::QueuedConnection);
        EXPECT_TRUE(waitUntil([&] {
            return form->showListCheck->isChecked() == wide && (form->width() > narrow) == wide;
        })) << "Show List was not handled in time";
    }
}

void ListServerWindow::expectNextQueryWorks()
{
    ASSERT_EQ(form->session().state(), ScanState::Scanning);
    server.setMisbehaviour(sim::Misbehaviour::None);
    server.setChunking(0, 0);
    server.setResponse(serverLine("192.0.2.200", "battle 1.24   [2/16] Next One") +
                       serverLine("192.0.2.201", "ctf 1.21 x [3/8] Next Two"));
    form->hostCombo->setEditText(serverHost());
    const int number = server.connectionCount() + 1;
    refresh();
    ASSERT_TRUE(waitForResponse(number)) << "the next query got no answer";
    EXPECT_EQ(names(), QStringList({"Next One", "Next Two"}));
    EXPECT_EQ(form->exchange().walk().pendingLineBytes(), 0U);
    EXPECT_EQ(form->session().state(), ScanState::Scanning);
}

void ListServerWindow::expectBounded()
{
    EXPECT_LE(form->exchange().walk().entriesInResponse(), kMaxEntries);
    EXPECT_LE(static_cast<std::size_t>(form->serverList->rows()), kMaxEntries);
    EXPECT_LE(peakChunkBytes, kMaxChunkBytes);
    EXPECT_LE(peakEntries, kMaxEntries);
    EXPECT_LE(peakEntryBytes, 3 + kMaxLineBytes);
    EXPECT_LE(peakPendingLineBytes, kMaxLineBytes);
}

} // namespace pollwick::test
