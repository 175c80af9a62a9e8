#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QTcpSocket>

namespace pollwick::testing {

// What a plain TCP client got from one connection to a list server.
struct Received {
    QByteArray bytes;
    int arrivals = 0; // readyRead signals that brought bytes
    bool closedByServer = false; // the server ended the connection
    bool timedOut = false; // still open after the wait, or never connected
    QAbstractSocket::SocketError error = QAbstractSocket::UnknownSocketError;
};

// Connects, reads until the server ends the connection, `stopAfterBytes`
// have come, or `timeoutMs` have passed, then aborts. Runs the event loop
// meanwhile, so an in-process server is served.
Received receiveFrom(const QHostAddress& address, quint16 port, int timeoutMs,
                     qsizetype stopAfterBytes = -1);

} // namespace pollwick::testing
