#pragma once

// The real main window on a FakePlatform (offscreen; fakes only for sound,
// the game and modal dialogs; timers fired by hand) beside a stand-in list
// server on a loopback address of the test's own at port 10057, chosen in
// RemHost. The helpers drive the window as a person would, with clicks and
// typing, and count what every data arrival left the window holding.

#include "FakePlatform.h"
#include "listserver/ListServer.h"
#include "window/Form1.h"
#include "window/ServerListView.h"

#include <QAbstractButton>
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTest>
#include <gtest/gtest.h>

#include <cstddef>
#include <functional>
#include <memory>
#include <ostream>
#include <vector>

class QCheckBox;
class QComboBox;

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
// Only reached when something is broken.
inline constexpr int kWaitMs = 30000;

// A line of the list server's response, CR LF included.
QByteArray serverLine(const QByteArray& address, const QByteArray& rest);

// An address on 127.0.0.0/8 on which nothing listens at port 10057 now:
// probed from 127.0.0.254 down, away from the addresses that the list
// servers of other tests take from 127.0.0.2 up.
QString unusedLoopbackAddress();

class ListServerWindow : public ::testing::Test
{
public:
    ~ListServerWindow() override;
    ListServerWindow(const ListServerWindow&) = delete;
    ListServerWindow& operator=(const ListServerWindow&) = delete;

protected:
    ListServerWindow();

    // The list server listens and its address is chosen: "Go" can be pressed.
    void SetUp() override;

    [[nodiscard]] QString serverHost() const { return server.address().toString(); }
    // Types the host and lets the selection gate open.
    void chooseHost(const QString& host);

    static void fire(Timer& timer) { static_cast<ManualTimer&>(timer).fire(); }
    static void click(QWidget* control) { QTest::mouseClick(control, Qt::LeftButton); }
    // On the box and its caption: the rest of a check box's area is no target.
    static void click(QCheckBox* box);
    // Clicks through the event queue, as a person's click arrives, so that a
    // window whose event loop is starved would not see it in time.
    static void clickLater(QAbstractButton* button)
    {
        QMetaObject::invokeMethod(button, &QAbstractButton::click, Qt::QueuedConnection);
    }
    // Types `text` over whatever the box holds. Characters beyond ASCII are
    // sent as the key events an input method would deliver.
    static void replaceText(QWidget* box, const QString& text);
    static void replaceText(QComboBox* box, const QString& text);

    // Ticks a criterion that no record meets, so that a walk lists every
    // line of a response and scanning goes on.
    void matchNothing();
    // "Go", clicked; it must start scanning.
    void go();
    // One re-query tick, as Refresh1 would deliver it.
    void refresh() { fire(*form->Refresh1); }
    // Waits until the server is done with connection `number` and the
    // window's socket has closed: the response has been read (or a match
    // closed the socket).
    [[nodiscard]] bool waitForResponse(int number = 1, int timeoutMs = kWaitMs);
    // "Go", then the whole response.
    [[nodiscard]] bool goAndWait();

    // The rows that the server list shows, five texts each; their count;
    // their texts in one column; the last row's name.
    [[nodiscard]] std::vector<QStringList> rows() const;
    [[nodiscard]] int rowCount() const { return form->ListView1->rows(); }
    [[nodiscard]] QStringList column(int column) const;
    [[nodiscard]] QString lastRowName() const
    {
        return rowCount() == 0 ? QString() : form->ListView1->text(rowCount() - 1, 0);
    }

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
