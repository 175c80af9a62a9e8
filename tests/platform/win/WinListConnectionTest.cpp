// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/win/WinListConnection.h"

#include "MessagePump.h"
#include "TestListServer.h"

#include <gtest/gtest.h>

#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace pollwick::win {
namespace {

using test::pumpUntil;
using test::TestListServer;

// Everything a connection reported, and whether the order held.
struct Reports final : ListConnection::Receiver {
    int connects = 0;
    int ends = 0;
    std::optional<ConnectionEnd> end;
    std::string bytes;
    std::vector<std::size_t> pieces;
    // The message that carried each piece, counted by the test's loop.
    std::vector<std::size_t> pieceMessages;
    bool outOfOrder = false;

    void connected() override
    {
        outOfOrder = outOfOrder || connects > 0 || ends > 0;
        ++connects;
    }
    void received(std::string_view piece) override
    {
        outOfOrder = outOfOrder || connects == 0 || ends > 0;
        bytes.append(piece);
        pieces.push_back(piece.size());
        pieceMessages.push_back(test::dispatchedMessages());
    }
    void ended(ConnectionEnd how) override
    {
        outOfOrder = outOfOrder || ends > 0;
        ++ends;
        end = how;
    }
};

struct Fixture {
    Reports reports;
    std::unique_ptr<ListConnection> connection = createListConnection();

    Fixture() { connection->setReceiver(reports); }

    bool waitForEnd() const
    {
        return pumpUntil([this] { return reports.ends > 0; });
    }
};

// The handles this process holds. Wine's GetProcessHandleCount always says
// 0, so there the system's table of handles is counted instead.
std::size_t handleCount()
{
    DWORD count = 0;
    if (GetProcessHandleCount(GetCurrentProcess(), &count) != 0 && count != 0) {
        return count;
    }
    struct Entry {
        void* object;
        ULONG_PTR process;
        ULONG_PTR handle;
        ULONG access;
        USHORT creatorBackTraceIndex;
        USHORT objectType;
        ULONG attributes;
        ULONG reserved;
    };
    struct Table {
        ULONG_PTR count;
        ULONG_PTR reserved;
        Entry entries[1];
    };
    // NtQuerySystemInformation, with its class as a number: the headers name
    // only some of them.
    using Query = LONG(WINAPI*)(ULONG, void*, ULONG, ULONG*);
    constexpr ULONG kSystemExtendedHandleInformation = 64;
    constexpr auto kInfoLengthMismatch = static_cast<LONG>(0xC0000004L);
    const auto query = reinterpret_cast<Query>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
    if (query == nullptr) {
        return 0;
    }
    std::vector<char> buffer(std::size_t{1} << 20);
    for (;;) {
        ULONG needed = 0;
        const LONG status = query(kSystemExtendedHandleInformation, buffer.data(),
                                  static_cast<ULONG>(buffer.size()), &needed);
        if (status == kInfoLengthMismatch) {
            buffer.resize(buffer.size() * 2);
            continue;
        }
        if (status != 0) {
            return 0;
        }
        break;
    }
    const auto* table = reinterpret_cast<const Table*>(buffer.data());
    std::size_t mine = 0;
    for (ULONG_PTR i = 0; i < table->count; ++i) {
        if (table->entries[i].process == GetCurrentProcessId()) {
            ++mine;
        }
    }
    return mine;
}

// A piece of a list: a line ended by CR LF.
std::string line(int n)
{
    return "\\" + std::to_string(n) + "\\Arena " + std::to_string(n) + "\\ctf\\1.24\\4/16\\\r\n";
}

// Whatever the list server does at the end, every byte that arrived comes
// before the end, and the end says how the list server ended it.
TEST(WinListConnection, EndsAsTheListServerEndedIt)
{
    const std::string whole = line(1) + line(2);
    const struct {
        const char* name;
        std::string sent;
        bool reset;
        ConnectionEnd end;
    } cases[] = {
        {"a whole list and a close", whole, false, ConnectionEnd::Closed},
        {"a close without a byte", "", false, ConnectionEnd::Closed},
        {"a reset right after a whole line", whole, true, ConnectionEnd::Reset},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TestListServer server([&c](SOCKET client, int /*nth*/) {
            TestListServer::sendAll(client, c.sent);
            if (c.reset) {
                TestListServer::reset(client);
            } else {
                TestListServer::closeOrderly(client);
            }
        });
        Fixture fixture;
        fixture.connection->open(test::kTestAddress, server.port());
        EXPECT_TRUE(fixture.connection->isOpen());
        ASSERT_TRUE(fixture.waitForEnd());
        EXPECT_EQ(fixture.reports.end, c.end);
        EXPECT_EQ(fixture.reports.connects, 1);
        EXPECT_FALSE(fixture.reports.outOfOrder);
        EXPECT_FALSE(fixture.connection->isOpen());
        if (c.reset) {
            EXPECT_EQ(c.sent.substr(0, fixture.reports.bytes.size()), fixture.reports.bytes);
        } else {
            EXPECT_EQ(fixture.reports.bytes, c.sent);
        }
    }
}

TEST(WinListConnection, TellsWhyItCouldNotConnect)
{
    const Fixture winsock; // started for the refusing socket
    std::uint16_t refusedPort = 0;
    const SOCKET refusing = test::boundSocket(refusedPort);
    const struct {
        std::string host;
        std::uint16_t port;
        ConnectionEnd end;
    } cases[] = {
        {test::kTestAddress, refusedPort, ConnectionEnd::Refused},
        {"nothing.invalid", 10057, ConnectionEnd::HostNotFound},
        {"", 10057, ConnectionEnd::HostNotFound},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.host);
        Fixture fixture;
        fixture.connection->open(c.host, c.port);
        // Never from inside open().
        EXPECT_EQ(fixture.reports.ends, 0);
        ASSERT_TRUE(fixture.waitForEnd());
        EXPECT_EQ(fixture.reports.end, c.end);
        EXPECT_EQ(fixture.reports.connects, 0);
        EXPECT_TRUE(fixture.reports.bytes.empty());
    }
    closesocket(refusing);
}

// A list far larger than one piece comes in pieces of at most
// kListPieceBytes, each from a message of its own, so the message loop runs
// between them; every byte comes before the end. Also when the list server
// has closed before a byte was read, so that most of the list is still to
// be handed over after the close.
TEST(WinListConnection, LongListComesInPiecesEveryByteBeforeTheEnd)
{
    std::string list;
    for (int n = 0; list.size() < 3 * kListPieceBytes + 123; ++n) {
        list += line(n);
    }
    for (const bool readAfterTheClose : {false, true}) {
        SCOPED_TRACE(readAfterTheClose ? "read after the close" : "read as it comes");
        HANDLE sent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        TestListServer server([&list, sent](SOCKET client, int /*nth*/) {
            TestListServer::sendAll(client, list);
            TestListServer::closeOrderly(client);
            SetEvent(sent);
        });
        Fixture fixture;
        fixture.connection->open(test::kTestAddress, server.port());
        if (readAfterTheClose) {
            ASSERT_TRUE(pumpUntil([&] { return fixture.reports.connects > 0; }));
            // The socket's messages wait in the queue meanwhile.
            ASSERT_EQ(WaitForSingleObject(sent, 30000), WAIT_OBJECT_0);
        }
        ASSERT_TRUE(fixture.waitForEnd());
        CloseHandle(sent);
        EXPECT_EQ(fixture.reports.end, ConnectionEnd::Closed);
        EXPECT_FALSE(fixture.reports.outOfOrder);
        EXPECT_EQ(fixture.reports.bytes.size(), list.size());
        EXPECT_TRUE(fixture.reports.bytes == list);
        EXPECT_GE(fixture.reports.pieces.size(), 4U);
        for (std::size_t i = 0; i < fixture.reports.pieces.size(); ++i) {
            EXPECT_LE(fixture.reports.pieces[i], kListPieceBytes);
            if (i > 0) {
                EXPECT_GT(fixture.reports.pieceMessages[i], fixture.reports.pieceMessages[i - 1])
                    << "pieces " << i - 1 << " and " << i << " came from one message";
            }
        }
    }
}

// Nothing of a connection is reported once close() or the next open() let
// it go: the next connection's own reports, in the same queue, come alone.
TEST(WinListConnection, ReportsNothingOfAConnectionLetGo)
{
    std::mutex mutex;
    std::string lastAnswer;
    TestListServer server([&](SOCKET client, int nth) {
        const std::string answer = line(nth);
        {
            const std::lock_guard lock(mutex);
            lastAnswer = answer;
        }
        TestListServer::sendAll(client, answer);
        TestListServer::closeOrderly(client);
    });
    enum class LetGo { ClosedOnceConnected, OpenedAnewAtOnce, ClosedWhileLookingUpAName };
    for (const LetGo how :
         {LetGo::ClosedOnceConnected, LetGo::OpenedAnewAtOnce, LetGo::ClosedWhileLookingUpAName}) {
        SCOPED_TRACE(static_cast<int>(how));
        Fixture fixture;
        Reports ignored;
        fixture.connection->setReceiver(ignored);
        if (how == LetGo::ClosedWhileLookingUpAName) {
            fixture.connection->open("nothing.invalid", 10057);
        } else {
            fixture.connection->open(test::kTestAddress, server.port());
        }
        if (how == LetGo::ClosedOnceConnected) {
            // The list is on its way when it is closed.
            ASSERT_TRUE(pumpUntil([&] { return ignored.connects > 0 || ignored.ends > 0; }));
            ASSERT_EQ(ignored.connects, 1) << testing::PrintToString(ignored.end);
        }
        if (how != LetGo::OpenedAnewAtOnce) {
            fixture.connection->close();
            EXPECT_FALSE(fixture.connection->isOpen());
        }
        fixture.connection->setReceiver(fixture.reports);
        fixture.connection->open(test::kTestAddress, server.port());
        ASSERT_TRUE(fixture.waitForEnd());
        // A little longer, for anything of the first connection still to come.
        Fixture marker;
        marker.connection->open(test::kTestAddress, server.port());
        ASSERT_TRUE(marker.waitForEnd());
        EXPECT_EQ(fixture.reports.connects, 1);
        EXPECT_EQ(fixture.reports.ends, 1);
        EXPECT_EQ(fixture.reports.end, ConnectionEnd::Closed);
        EXPECT_FALSE(fixture.reports.outOfOrder);
        const std::lock_guard lock(mutex);
        EXPECT_EQ(fixture.reports.bytes + marker.reports.bytes,
                  line(server.accepted() - 1) + lastAnswer);
    }
}

// A name lookup that finishes after its connection is gone is dropped.
TEST(WinListConnection, LookupOutlivesItsConnection)
{
    createListConnection()->open("nothing.invalid", 10057);
    Fixture fixture;
    fixture.connection->open("nothing.invalid", 10057);
    ASSERT_TRUE(fixture.waitForEnd());
    EXPECT_EQ(fixture.reports.end, ConnectionEnd::HostNotFound);
}

// Hundreds of connections, ended by the list server or closed at once,
// leave no handle or socket behind.
TEST(WinListConnection, OpenAndCloseLeakNoHandle)
{
    TestListServer server([](SOCKET client, int nth) {
        TestListServer::sendAll(client, line(nth));
        TestListServer::closeOrderly(client);
    });
    Fixture fixture;
    // Connections that reached the list server, and so hold a socket there
    // until it has answered them.
    int made = 0;
    // Closed before connecting, closed while the list comes, or ended by
    // the list server. False when what was waited for did not come.
    const auto cycle = [&](int n) {
        fixture.reports = Reports();
        fixture.connection->open(test::kTestAddress, server.port());
        if (n % 3 == 0) {
            fixture.connection->close();
            return true;
        }
        if (n % 3 == 1) {
            const bool connected =
                pumpUntil([&] { return fixture.reports.connects > 0 || fixture.reports.ends > 0; });
            fixture.connection->close();
            ++made;
            return connected && fixture.reports.connects == 1;
        }
        ++made;
        return fixture.waitForEnd();
    };
    // Counted when the list server holds no socket of its answers.
    const auto settled = [&] {
        pumpUntil([] { return false; }, std::chrono::milliseconds(0)); // what is queued now
        return pumpUntil([&] { return server.answered() == made; });
    };
    // Winsock makes what it keeps for the process on first use.
    for (int n = 0; n < 6; ++n) {
        ASSERT_TRUE(cycle(n)) << "cycle " << n << " ended "
                              << testing::PrintToString(fixture.reports.end);
    }
    ASSERT_TRUE(settled());
    const std::size_t before = handleCount();
    ASSERT_NE(before, 0U);
    for (int n = 0; n < 300; ++n) {
        ASSERT_TRUE(cycle(n)) << "cycle " << n << " ended "
                              << testing::PrintToString(fixture.reports.end);
    }
    ASSERT_TRUE(settled());
    // Fewer is no leak: a handle of the system's own (a thread that ends
    // late, say) may go meanwhile.
    EXPECT_LE(handleCount(), before);
}

} // namespace
} // namespace pollwick::win
