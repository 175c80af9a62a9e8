// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/qt/QtClientSocket.h"

namespace pollwick {
namespace {

// Reading stops at this much unread data until the window has handled it, so
// a list server that floods the connection cannot fill memory between two
// arrivals.
constexpr qint64 kReadBufferBytes = qint64{1} << 20;

SocketOutcome outcomeOf(QAbstractSocket::SocketError error, bool wasConnected)
{
    switch (error) {
    case QAbstractSocket::ConnectionRefusedError:
        return SocketOutcome::Refused;
    case QAbstractSocket::HostNotFoundError:
        return SocketOutcome::HostNotFound;
    case QAbstractSocket::NetworkError:
        return wasConnected ? SocketOutcome::Lost : SocketOutcome::Unreachable;
    case QAbstractSocket::RemoteHostClosedError:
        // Qt reads a reset as an end of data too: the two cannot be told
        // apart here.
        return SocketOutcome::Closed;
    default:
        return wasConnected ? SocketOutcome::Lost : SocketOutcome::Failed;
    }
}

} // namespace

QtClientSocket::QtClientSocket(QObject* parent)
    : ClientSocket(parent)
    , m_socket(new QTcpSocket(this))
{
    m_socket->setReadBufferSize(kReadBufferBytes);
    QObject::connect(m_socket, &QTcpSocket::readyRead, this, &ClientSocket::dataArrived);
    QObject::connect(m_socket, &QTcpSocket::connected, this, [this] {
        m_connected = true;
        report(SocketOutcome::Connected);
    });
    QObject::connect(
        m_socket, &QTcpSocket::errorOccurred, this,
        [this](QAbstractSocket::SocketError error) { report(outcomeOf(error, m_connected)); });
}

void QtClientSocket::report(SocketOutcome outcome)
{
    // A close of our own reports nothing, and a connection reports its end
    // once.
    if (m_closing || m_reportedEnd) {
        return;
    }
    m_reportedEnd = outcome != SocketOutcome::Connected;
    emit outcomeReported(outcome);
}

void QtClientSocket::close()
{
    m_closing = true;
    m_socket->abort();
    m_closing = false;
}

void QtClientSocket::connect()
{
    // A connect always starts from a closed socket.
    if (m_socket->state() != QAbstractSocket::UnconnectedState) {
        close();
    }
    ++m_connection;
    m_connected = false;
    m_reportedEnd = false;
    const auto port = static_cast<quint16>(m_port >= 0 && m_port <= 65535 ? m_port : 0);
    m_socket->connectToHost(m_host, port, QIODevice::ReadOnly);
}

std::string QtClientSocket::getData()
{
    const QByteArray bytes = m_socket->readAll();
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

bool QtClientSocket::isOpen() const
{
    return m_socket->state() != QAbstractSocket::UnconnectedState;
}

} // namespace pollwick
