// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// clang-format off
#include <winsock2.h>
#include <windows.h>
// clang-format on

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <thread>

namespace pollwick::test {

// The tests' loopback address, kept apart from anything else listening on
// 127.0.0.1.
inline constexpr const char* kTestAddress = "127.0.0.77";

// A list server in the test's own process, with plain blocking Winsock on a
// thread of its own: it accepts connections on kTestAddress, at a port the
// system picks, and answers each one as the test says.
class TestListServer final
{
public:
    // What to do with each accepted connection (the nth, from 1): send,
    // then close or reset it.
    using Answer = std::function<void(SOCKET client, int nth)>;

    explicit TestListServer(Answer answer);
    ~TestListServer();
    TestListServer(const TestListServer&) = delete;
    TestListServer& operator=(const TestListServer&) = delete;
    TestListServer(TestListServer&&) = delete;
    TestListServer& operator=(TestListServer&&) = delete;

    [[nodiscard]] std::uint16_t port() const { return m_port; }
    [[nodiscard]] int accepted() const { return m_accepted; }
    // The connections whose answer is over, their sockets closed.
    [[nodiscard]] int answered() const { return m_answered; }

    static void sendAll(SOCKET client, std::string_view bytes);
    // An orderly close: everything sent arrives, then the end.
    static void closeOrderly(SOCKET client);
    // A reset (SO_LINGER 0) instead of a close.
    static void reset(SOCKET client);

private:
    void serve();

    Answer m_answer;
    SOCKET m_listener = INVALID_SOCKET;
    // Set when a connection waits to be accepted, and when the server is to
    // stop: under Wine, closing the listener does not wake a thread that
    // waits in accept().
    HANDLE m_acceptable = nullptr;
    HANDLE m_stop = nullptr;
    std::uint16_t m_port = 0;
    std::atomic<int> m_accepted{0};
    std::atomic<int> m_answered{0};
    std::thread m_thread;
};

// A socket bound to kTestAddress at a port the system picks (`port`), not
// listening: a connection to it is refused, and no other socket gets the
// port while it is open. Winsock must be started.
SOCKET boundSocket(std::uint16_t& port);

} // namespace pollwick::test
