// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QString>

#include <cstdint>
#include <string>

namespace pollwick {

// How a connection attempt went, as far as the socket can tell.
enum class SocketOutcome {
    Connected,
    Refused, // nothing listens at the host's port
    HostNotFound, // the name does not resolve
    Unreachable, // no route to the host
    Closed, // the other side ended the connection (a reset reads the same)
    Lost, // broken after connecting, by anything but the other side's close
    Failed, // any other error
};

// The TCP client that talks to the list server. Connecting completes in the
// background (names resolve without blocking the window). The scan does not
// act on a connection that fails, since the next query simply tries again;
// how a connection went only tells the status line whether a whole list came.
class ClientSocket : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // Drops the connection at once, with anything received but not read.
    virtual void close() = 0;
    virtual void setRemoteHost(const QString& host) = 0;
    virtual void setRemotePort(int port) = 0;
    // Starts connecting to the remote host and port.
    virtual void connect() = 0;
    // Everything received and not yet read, as bytes.
    virtual std::string getData() = 0;
    // Counts the connects: data read under one number belongs to one
    // connection, and so to one response.
    [[nodiscard]] virtual std::uint64_t connectionNumber() const = 0;
    [[nodiscard]] virtual bool isOpen() const = 0;

signals:
    // Data has arrived on the current connection.
    void dataArrived();
    // How the current connection went: once when it is made or fails, and
    // once more when it ends. Never for a close() of our own.
    void outcomeReported(pollwick::SocketOutcome outcome);
};

} // namespace pollwick
