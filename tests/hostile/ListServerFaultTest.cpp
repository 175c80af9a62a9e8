// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The main window against list servers that fail or misbehave, one row per
// way of failing that takes its own path through the window. In every case
// the window must keep answering, hold no more than the limits allow, list
// exactly what the rules say, tell on its status line what happened, and
// query again as if nothing happened.
#include "ListServerWindow.h"

#include <functional>

namespace pollwick::test {
namespace {

using sim::Misbehaviour;
using Window = ListServerWindow;

const QByteArray kFirst = serverLine("192.0.2.1", "battle 1.24   [1/16] First") +
    serverLine("192.0.2.2", "battle 1.24   [2/16] Second");

struct Fault {
    const char* name;
    // Makes the fault happen, then waits (up to a minute) until it has.
    std::function<void(Window&)> start;
    std::function<bool(Window&)> happened;
    // What the window shows then.
    std::function<void(Window&)> expect;
};

// A first, well-behaved response; then the next query goes to `host`, and
// the status line says why it failed, keeping the first list in view.
Fault unreachable(const char* name, const std::function<QString()>& host, const char* reason)
{
    return {name,
            [host](Window& w) {
                w.server.setResponse(kFirst);
                w.matchNothing();
                w.go();
                ASSERT_TRUE(w.waitForResponse(1));
                w.form->hostCombo->setEditText(host());
                w.refresh();
            },
            // The socket gives up by itself, and nothing of it reaches the window.
            [](Window& w) { return !w.form->listSocket->isOpen(); },
            [reason](Window& w) {
                EXPECT_EQ(w.names(), QStringList({"First", "Second"}));
                EXPECT_EQ(w.form->session().isArmed(), true);
                EXPECT_EQ(w.server.connectionCount(), 1);
                const QString chosen = w.form->hostCombo->currentText();
                EXPECT_TRUE(w.statusSays(
                    QStringLiteral("12:00:00  %1, trying every 5 s. Last list 12:00:00: 2 servers")
                        .arg(chosen.isEmpty() ? QStringLiteral("No list server given")
                                              : chosen + QStringLiteral(": ") + reason)));
            }};
}

// Nothing before `response` but criteria that no server meets.
std::function<void(Window&)> misbehaving(Misbehaviour misbehaviour, const QByteArray& response = {})
{
    return [misbehaviour, response](Window& w) {
        w.server.setResponse(response);
        w.server.setMisbehaviour(misbehaviour);
        w.matchNothing();
        w.go();
    };
}

const QByteArray kCut = serverLine("192.0.2.11", "battle 1.24   [1/16] Whole One");

const Fault kFaults[] = {
    unreachable("Refused", unusedLoopbackAddress, "connection refused"),
    // Not a valid host name (spaces): it fails before any name server is asked.
    unreachable(
        "NoSuchHost", [] { return QStringLiteral("no such list server.invalid"); },
        "host not found"),
    unreachable(
        "NoHost", [] { return QString(); }, "host not found"),
    {"NeverAnswers",
     [](Window& w) {
         misbehaving(Misbehaviour::NeverAnswer)(w);
         ASSERT_TRUE(waitUntil([&] { return w.server.openConnections() == 1; }));
     },
     [](Window& w) { return w.form->listSocket->isOpen(); },
     // Only the next tick can tell that nothing came; it drops the silent
     // connection for a fresh one.
     [](Window& w) {
         EXPECT_EQ(w.arrivals, 0);
         w.refresh();
         EXPECT_TRUE(w.statusSays(": no answer, trying every 5 s."));
     }},
    // The head of the cut line is never listed, nor joined to the next
    // response's first line.
    {"ResetMidLine",
     misbehaving(Misbehaviour::ResetMidLine,
                 kCut + serverLine("192.0.2.12", "battle 1.24   [1/16] Cut Line!") + kCut),
     [](Window& w) { return w.waitForResponse(1); },
     [](Window& w) {
         EXPECT_EQ(w.names(), QStringList("Whole One"));
         EXPECT_GT(w.form->exchange().walk().pendingLineBytes(), 0U);
         EXPECT_TRUE(w.statusSays(": list cut off in the middle of a line, trying every 5 s."));
     }},
    {"CutByTheNextTick",
     [](Window& w) {
         w.server.setChunking(static_cast<int>(kCut.size()) + 15, 10 * 60 * 1000);
         misbehaving(Misbehaviour::None, kCut + kCut)(w);
     },
     [](Window& w) {
         return w.rowCount() == 1 && w.form->exchange().walk().pendingLineBytes() == 15;
     },
     [](Window& w) { EXPECT_EQ(w.names(), QStringList("Whole One")); }},
    // Lines without end: the first 32767 are listed, and then the window
    // closes the connection, since nothing more could be listed.
    {"NeverStops", misbehaving(Misbehaviour::NeverStop, kCut),
     [](Window& w) { return w.waitForResponse(1); },
     [](Window& w) { EXPECT_EQ(w.rowCount(), static_cast<int>(kMaxEntries)); }},
    // A line without end: nothing is listed, and the window closes the
    // connection once the response's byte budget has arrived.
    {"EndlessLine", misbehaving(Misbehaviour::EndlessLine),
     [](Window& w) { return w.waitForResponse(1); },
     [](Window& w) {
         EXPECT_TRUE(w.names().isEmpty());
         EXPECT_TRUE(w.form->exchange().walk().full());
     }},
    {"Garbage", misbehaving(Misbehaviour::Garbage), [](Window& w) { return w.waitForResponse(1); },
     [](Window& w) {
         EXPECT_GT(w.rowCount(), 0);
         EXPECT_EQ(static_cast<std::size_t>(w.rowCount()),
                   w.form->exchange().walk().entriesInResponse());
     }},
};

void PrintTo(const Fault& fault, std::ostream* out)
{
    *out << fault.name;
}

class ListServerFaultTest : public ListServerWindow, public ::testing::WithParamInterface<Fault>
{ };

TEST_P(ListServerFaultTest, TheWindowCopesAndQueriesAgain)
{
    const Fault& fault = GetParam();
    fault.start(*this);
    ASSERT_TRUE(waitUntil([&] { return fault.happened(*this); }, 60000));
    fault.expect(*this);
    EXPECT_EQ(form->session().state(), ScanState::Scanning);
    expectBounded();
    expectWindowAnswers();
    expectNextQueryWorks();
    EXPECT_TRUE(waitUntil([&] { return server.openConnections() == 0; }));
}

INSTANTIATE_TEST_SUITE_P(Faults, ListServerFaultTest, ::testing::ValuesIn(kFaults),
                         [](const auto& row) { return std::string(row.param.name); });

} // namespace
} // namespace pollwick::test
