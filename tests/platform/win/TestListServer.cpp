// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "TestListServer.h"

#include <stdexcept>
#include <ws2tcpip.h>

namespace pollwick::test {
SOCKET boundSocket(std::uint16_t& port)
{
    SOCKET bound = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    inet_pton(AF_INET, kTestAddress, &address.sin_addr);
    int size = sizeof address;
    if (bound == INVALID_SOCKET ||
        bind(bound, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        getsockname(bound, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
        throw std::runtime_error("cannot bind a socket to the test address");
    }
    port = ntohs(address.sin_port);
    return bound;
}

TestListServer::TestListServer(Answer answer)
    : m_answer(std::move(answer))
{
    WSADATA winsock{};
    WSAStartup(MAKEWORD(2, 2), &winsock);
    m_listener = boundSocket(m_port);
    m_acceptable = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    m_stop = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (listen(m_listener, SOMAXCONN) != 0 ||
        WSAEventSelect(m_listener, m_acceptable, FD_ACCEPT) != 0) {
        throw std::runtime_error("cannot listen on the test address");
    }
    m_thread = std::thread([this] { serve(); });
}

TestListServer::~TestListServer()
{
    SetEvent(m_stop);
    m_thread.join();
    closesocket(m_listener);
    CloseHandle(m_acceptable);
    CloseHandle(m_stop);
    WSACleanup();
}

void TestListServer::serve()
{
    const HANDLE events[] = {m_stop, m_acceptable};
    while (WaitForMultipleObjects(2, events, FALSE, INFINITE) == WAIT_OBJECT_0 + 1) {
        // FD_ACCEPT comes again while connections wait.
        SOCKET client = accept(m_listener, nullptr, nullptr);
        if (client == INVALID_SOCKET) {
            continue;
        }
        // The accepted socket takes the listener's event selection, which
        // makes it non-blocking: the answers are written blocking.
        u_long blocking = 0;
        WSAEventSelect(client, nullptr, 0);
        ioctlsocket(client, static_cast<long>(FIONBIO), &blocking);
        m_answer(client, ++m_accepted);
        ++m_answered;
    }
}

void TestListServer::sendAll(SOCKET client, std::string_view bytes)
{
    while (!bytes.empty()) {
        const int sent = send(client, bytes.data(), static_cast<int>(bytes.size()), 0);
        if (sent <= 0) {
            return; // the client went away: what it missed is its own affair
        }
        bytes.remove_prefix(static_cast<std::size_t>(sent));
    }
}

void TestListServer::closeOrderly(SOCKET client)
{
    shutdown(client, SD_SEND);
    closesocket(client);
}

void TestListServer::reset(SOCKET client)
{
    const linger abort{1, 0};
    setsockopt(client, SOL_SOCKET, SO_LINGER, reinterpret_cast<const char*>(&abort), sizeof abort);
    closesocket(client);
}

} // namespace pollwick::test
