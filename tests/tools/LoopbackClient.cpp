#include "LoopbackClient.h"

#include <QEventLoop>
#include <QTimer>

namespace pollwick::testing {

Received receiveFrom(const QHostAddress& address, quint16 port, int timeoutMs,
                     qsizetype stopAfterBytes)
{
    Received received;
    QTcpSocket socket;
    QEventLoop loop;
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, &loop, [&] {
        received.timedOut = true;
        loop.quit();
    });
    QObject::connect(&socket, &QTcpSocket::readyRead, &loop, [&] {
        const QByteArray chunk = socket.readAll();
        if (!chunk.isEmpty()) {
            received.bytes += chunk;
            ++received.arrivals;
        }
        if (stopAfterBytes >= 0 && received.bytes.size() >= stopAfterBytes) {
            loop.quit();
        }
    });
    QObject::connect(
        &socket, &QTcpSocket::errorOccurred, &loop, [&](QAbstractSocket::SocketError error) {
            received.error = error;
            if (socket.state() == QAbstractSocket::UnconnectedState) {
                received.bytes += socket.readAll();
                received.closedByServer = error != QAbstractSocket::ConnectionRefusedError;
                loop.quit();
            }
        });
    QObject::connect(&socket, &QTcpSocket::disconnected, &loop, [&] {
        received.bytes += socket.readAll();
        received.closedByServer = true;
        loop.quit();
    });
    socket.connectToHost(address, port, QIODevice::ReadOnly);
    deadline.start(timeoutMs);
    loop.exec();
    // Our own abort is not the server's doing.
    QObject::disconnect(&socket, nullptr, &loop, nullptr);
    socket.abort();
    return received;
}

} // namespace pollwick::testing
