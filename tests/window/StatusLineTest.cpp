// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The status line against a real list server: after a failure it keeps the
// last good list in view and comes back when a list arrives again. (A reset,
// an unreachable or empty host and a silent list server are rows of the list
// server fault matrix.)
#include "window/StatusLine.h"

#include "ListServerWindow.h"

#include <QComboBox>
#include <QLabel>

#include <functional>

namespace pollwick {
namespace {

using sim::Misbehaviour;

using StatusLineTest = test::ListServerWindow;

// A list counts only when the list server closed its connection at the end
// of a line (or a match ended it); every other query is reported for what it
// was, with the last whole list kept in view, and after Stop the line goes on
// saying that scanning has stopped.
TEST_F(StatusLineTest, EachQueryIsToldForWhatItWasAndTheLastWholeListStaysInView)
{
    const QByteArray two = test::serverLine("192.0.2.1", "battle 1.24   [1/16] One") +
        test::serverLine("192.0.2.2", "battle 1.24   [1/16] Two");
    server.setResponse(two);
    matchNothing();
    server.setMisbehaviour(Misbehaviour::NeverAnswer);
    go();
    ASSERT_TRUE(test::waitUntil([&] { return server.connectionCount() == 1; }));
    EXPECT_EQ(form->status().text(), QStringLiteral("Asking %1 every 5 s...").arg(serverHost()));

    server.setMisbehaviour(Misbehaviour::None);
    refresh();
    EXPECT_TRUE(statusSays(QStringLiteral("12:00:00  2 servers listed")));
    EXPECT_EQ(form->statusLabel->text(), form->status().text()); // short enough to be shown whole
    EXPECT_EQ(form->statusLabel->textFormat(), Qt::PlainText); // a found server's name is no markup

    platform.time = platform.time.addSecs(65);
    const QString lastList = QStringLiteral(", trying every 5 s. Last list 12:00:00: 2 servers");
    const struct {
        const char* query;
        std::function<void()> make;
        QString says;
    } queries[] = {
        {"one byte, then cut off by the next query",
         [&] {
             server.setChunking(1, 10 * 60 * 1000);
             const int before = arrivals;
             refresh();
             ASSERT_TRUE(test::waitUntil([&] { return arrivals > before; }));
             refresh();
         },
         QStringLiteral("12:01:05  %1: list cut off by the next query").arg(serverHost())},
        {"accepted and closed at once",
         [&] {
             server.setChunking(0, 0);
             server.setResponse({});
             refresh();
         },
         QStringLiteral("12:01:05  %1: sent no list").arg(serverHost())},
    };
    for (const auto& query : queries) {
        SCOPED_TRACE(query.query);
        query.make();
        EXPECT_TRUE(statusSays(query.says + lastList));
    }
    // Cut at the label's edge, whole in its tool tip.
    EXPECT_TRUE(form->statusLabel->text().endsWith(QChar(0x2026)))
        << form->statusLabel->text().toStdString();
    EXPECT_TRUE(form->statusLabel->toolTip().contains(QStringLiteral("12:00:00:")));

    // A list still on its way when Stop is pressed updates the time and the
    // count, and the line still says that scanning has stopped.
    server.setResponse(two);
    server.setMisbehaviour(Misbehaviour::AnswerLate);
    server.setAnswerDelay(10 * 60 * 1000);
    const int accepted = server.connectionCount() + 1;
    refresh();
    ASSERT_TRUE(test::waitUntil([&] { return server.connectionCount() == accepted; }));
    click(form->stopButton);
    EXPECT_EQ(form->status().text(), QStringLiteral("Stopped. Last list 12:00:00: 2 servers."));
    server.releaseHeld();
    EXPECT_TRUE(statusSays(QStringLiteral("Stopped. Last list 12:01:05: 2 servers.")));

    // The list that ends in a match is the last list.
    server.setMisbehaviour(Misbehaviour::None);
    click(form->versionCheck); // every server matches now
    platform.time = platform.time.addSecs(10);
    go();
    EXPECT_TRUE(statusSays(QStringLiteral("12:01:15  Found: One")));
    server.setMisbehaviour(Misbehaviour::NeverAnswer);
    go();
    click(form->stopButton);
    EXPECT_EQ(form->status().text(), QStringLiteral("Stopped. Last list 12:01:15: 1 server."));
}

} // namespace
} // namespace pollwick
