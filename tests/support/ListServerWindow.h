// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The window test with a real list connection, beside a stand-in list
// server on a loopback address of the test's own at port 10057, chosen in
// hostCombo.

#include "WindowTest.h"
#include "listserver/ListServer.h"

namespace pollwick::test {

// Only reached when something is broken.
inline constexpr int kWaitMs = 30000;

// A line of the list server's response, CR LF included.
QByteArray serverLine(const QByteArray& address, const QByteArray& rest);

// An address on 127.0.0.0/8 on which nothing listens at port 10057 now:
// probed from 127.0.0.254 down, away from the addresses that the list
// servers of the tests take from 127.0.0.2 up.
QString unusedLoopbackAddress();

class ListServerWindow : public WindowTest
{
public:
    ListServerWindow()
        : WindowTest(FakePlatform::Connection::Real)
    { }

    // The list server listens and its address is chosen: "Go" can be pressed.
    void SetUp() override;

    [[nodiscard]] QString serverHost() const { return server.address().toString(); }
    // One re-query tick.
    void requery() const { fire(TimerRole::Requery); }
    // Waits until the server is done with connection `number` and the
    // window's query has ended: the response has been read (or a match
    // ended it).
    [[nodiscard]] bool waitForResponse(int number = 1, int timeoutMs = kWaitMs);
    // The window still answers: a queued click on "Show List" widens it
    // and another narrows it again, each within a bounded time.
    void expectWindowAnswers();

    sim::ListServer server;
};

} // namespace pollwick::test
