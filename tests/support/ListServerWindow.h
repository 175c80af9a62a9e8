// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The window test with a real socket, beside a stand-in list server on a
// loopback address of the test's own at port 10057, chosen in hostCombo. It
// counts what every data arrival left the window holding.

#include "WindowTest.h"
#include "listserver/ListServer.h"

#include <cstddef>

namespace pollwick::test {

// What one response may make the window hold.
inline constexpr std::size_t kMaxEntries = 32767;
inline constexpr std::size_t kMaxLineBytes = std::size_t{1} << 20U;
// The socket reads at most this much before the window has handled it.
inline constexpr std::size_t kMaxChunkBytes = std::size_t{1} << 20U;
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
    ListServerWindow();

    // The list server listens and its address is chosen: "Go" can be pressed.
    void SetUp() override;

    [[nodiscard]] QString serverHost() const { return server.address().toString(); }
    // One re-query tick, as requeryTimer would deliver it.
    void refresh() { fire(*form->requeryTimer); }
    // Waits until the server is done with connection `number` and the
    // window's socket has closed: the response has been read (or a match
    // closed the socket).
    [[nodiscard]] bool waitForResponse(int number = 1, int timeoutMs = kWaitMs);

    // Whether the status line comes to hold `text` (within a few seconds).
    [[nodiscard]] bool statusSays(const QString& text) const;

    // The window still answers: a queued click on "Show List" widens it
    // and another narrows it again, each within a bounded time.
    void expectWindowAnswers();
    // The next query works: against a well-behaved response, a requeryTimer
    // tick lists exactly that response's rows.
    void expectNextQueryWorks();
    // The buffers and rows within the limits, now and after every arrival.
    void expectBounded();

    sim::ListServer server;
    // Arrivals of data that the window handled.
    int arrivals = 0;
    // The most that any arrival left the window holding: the chunk read,
    // the entries made from it, the longest of them and the unfinished line
    // kept for the next.
    std::size_t peakChunkBytes = 0;
    std::size_t peakEntries = 0;
    std::size_t peakEntryBytes = 0;
    std::size_t peakPendingLineBytes = 0;
};

} // namespace pollwick::test
