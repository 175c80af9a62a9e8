// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ListServerWindow.h"

#include <QTcpServer>

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
                !engine().queryUnderWay();
        },
        timeoutMs);
}

void ListServerWindow::expectWindowAnswers()
{
    const int narrow = form->width();
    ASSERT_FALSE(ui->showListCheck->isChecked());
    for (const bool wide : {true, false}) {
        // Through the event queue, as a person's click arrives, so that a
        // window whose event loop is starved would not see it in time.
        QMetaObject::invokeMethod(ui->showListCheck, &QAbstractButton::click, Qt::QueuedConnection);
        EXPECT_TRUE(waitUntil([&] {
            return ui->showListCheck->isChecked() == wide && (form->width() > narrow) == wide;
        })) << "Show List was not handled in time";
    }
}

} // namespace pollwick::test
