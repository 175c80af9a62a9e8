#pragma once

// The real main window (offscreen, fakes only for sound, the game and modal
// dialogs, timers fired by hand) beside a list server on a loopback address
// of its own, for trying what a broken or hostile list server can do to it.

#include "FakePlatform.h"
#include "listserver/ListServer.h"
#include "ui/Form1.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

#include <cstddef>
#include <functional>
#include <memory>
#include <ostream>

class QAbstractButton;

// Readable failures: texts as text, not as bytes.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QStringList& texts, std::ostream* out)
{
    *out << '{';
    for (const QString& text : texts) {
        PrintTo(text, out);
        *out << ' ';
    }
    *out << '}';
}

namespace pollwick::test {

// What one response may make the window hold.
inline constexpr std::size_t kMaxEntries = 32767;
inline constexpr std::size_t kMaxLineBytes = std::size_t{1} << 20U;
// The socket reads at most this much before the window has handled it.
inline constexpr std::size_t kMaxChunkBytes = std::size_t{1} << 20U;

// A line of the list server's response, CR LF included.
QByteArray serverLine(const QByteArray& address, const QByteArray& rest);

// Handles events until `done` holds or `timeoutMs` has passed, sleeping
// until an event comes rather than polling on a clock, so that thousands of
// query cycles take no longer than their sockets do. Objects deleted later
// (closed connections) go at once.
bool pumpUntil(const std::function<bool()>& done, int timeoutMs);

// An address on 127.0.0.0/8 on which nothing listens at port 10057 now:
// probed from 127.0.0.254 down, away from the addresses that the list
// servers of other tests take from 127.0.0.2 up.
QString unusedLoopbackAddress();

class HostileWindowTest : public ::testing::Test
{
public:
    ~HostileWindowTest() override;
    HostileWindowTest(const HostileWindowTest&) = delete;
    HostileWindowTest& operator=(const HostileWindowTest&) = delete;

protected:
    HostileWindowTest();

    void SetUp() override;

    // The list server's address, as typed into RemHost.
    [[nodiscard]] QString serverHost() const;
    // Types the host and lets the selection gate open.
    void chooseHost(const QString& host);
    // Ticks NameCheck with a name that no server has, so that scanning goes
    // on whatever the list holds.
    void neverMatch();
    // "Go", clicked.
    void go();
    // One re-query tick, as Refresh1 would deliver it.
    void refresh();

    // Rows of the server list and their texts in one column.
    [[nodiscard]] int rows() const;
    [[nodiscard]] QStringList column(int column) const;

    // Waits (handling events, bounded) until the current connection's
    // response is over: the server is done with connection `number` and the
    // window's socket has closed.
    [[nodiscard]] bool waitForResponse(int number, int timeoutMs = 10000);

    // Clicks through the event queue, as a person's click arrives, so that a
    // window whose event loop is starved would not see it in time.
    static void clickLater(QAbstractButton* button);

    // The window still answers: a queued click on "Show List" widens it
    // and another narrows it again, each within a bounded time.
    void expectWindowAnswers();

    // The next query works: against a well-behaved response, a Refresh1
    // tick lists exactly that response's rows.
    void expectNextQueryWorks();

    // The buffers and rows within the limits, now and after every arrival.
    void expectBounded();

    FakePlatform platform;
    std::unique_ptr<Form1> form;
    sim::ListServer server;
    // Arrivals of data that the window handled, and their bytes.
    int arrivals = 0;
    std::size_t bytesArrived = 0;
    // The most that any arrival left the window holding: the chunk read,
    // the entries made from it and the unfinished line kept for the next.
    std::size_t peakChunkBytes = 0;
    std::size_t peakServList = 0;
    std::size_t peakPendingLineBytes = 0;
};

} // namespace pollwick::test
