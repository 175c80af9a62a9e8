// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace pollwick {

// How a connection to the list server ended, as far as the system can tell.
enum class ConnectionEnd : std::uint8_t {
    Closed, // the list server closed it: an orderly end of its data
    Reset, // reset by the list server or on the way, even right after a line end
    Refused, // nothing listens at the host's port
    HostNotFound, // the host name does not resolve
    Unreachable, // no route to the host
    Lost, // broken after connecting, by anything but a close or a reset
    Failed, // any other failure to connect
};

// The port through which the scan engine talks to a list server: one TCP
// connection at a time, to which nothing is ever sent. Each platform
// implements it on its own event loop (a socket notifier, WSAAsyncSelect).
//
// What the connection reports, to its receiver, on the user-interface
// thread:
// - never from inside open() or close();
// - for one connection, in this order: connected() at most once, then any
//   number of received(), then ended() at most once;
// - received() hands over at most kListPieceBytes at a time and returns to
//   the event loop between pieces, so that a long answer never keeps the
//   window from its clicks and paints; every byte that arrived before the
//   end is handed over before ended();
// - nothing of a connection after close(), or after open() started the
//   next one.
class ListConnection
{
public:
    // Where a connection's events go.
    class Receiver
    {
    public:
        virtual ~Receiver() = default;
        virtual void connected() = 0;
        virtual void received(std::string_view bytes) = 0;
        virtual void ended(ConnectionEnd end) = 0;
    };

    virtual ~ListConnection() = default;
    ListConnection() = default;
    ListConnection(const ListConnection&) = delete;
    ListConnection& operator=(const ListConnection&) = delete;
    ListConnection(ListConnection&&) = delete;
    ListConnection& operator=(ListConnection&&) = delete;

    // Set once, by the connection's owner, before the first open().
    void setReceiver(Receiver& receiver) { m_receiver = &receiver; }

    // Closes the current connection, if any, and connects to `host` (UTF-8:
    // a name or an address) at `port` in the background; a name resolves
    // without blocking the event loop.
    virtual void open(const std::string& host, std::uint16_t port) = 0;
    // Drops the connection at once, with anything received but not handed
    // over; nothing more of it is reported.
    virtual void close() = 0;
    // True from open() until the connection ended or was closed.
    [[nodiscard]] virtual bool isOpen() const = 0;

protected:
    [[nodiscard]] Receiver* receiver() const { return m_receiver; }

private:
    Receiver* m_receiver = nullptr;
};

// The most that one received() hands over.
inline constexpr std::size_t kListPieceBytes = std::size_t{64} * 1024;

} // namespace pollwick
