#include "platform/qt/QtClientSocket.h"

namespace pollwick {
namespace {

// Reading stops at this much unread data until the window has handled it, so
// a list server that floods the connection cannot fill memory between two
// arrivals.
constexpr qint64 kReadBufferBytes = qint64{1} << 20;

} // namespace

QtClientSocket::QtClientSocket()
{
    m_socket.setReadBufferSize(kReadBufferBytes);
    QObject::connect(&m_socket, &QTcpSocket::readyRead, &m_socket, [this] {
        if (onDataArrival) {
            onDataArrival();
        }
    });
}

void QtClientSocket::close()
{
    m_socket.abort();
}

void QtClientSocket::connect()
{
    // A connect always starts from a closed socket.
    if (m_socket.state() != QAbstractSocket::UnconnectedState) {
        m_socket.abort();
    }
    ++m_connection;
    const auto port = static_cast<quint16>(m_port >= 0 && m_port <= 65535 ? m_port : 0);
    m_socket.connectToHost(m_host, port, QIODevice::ReadOnly);
}

std::string QtClientSocket::getData()
{
    const QByteArray bytes = m_socket.readAll();
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

bool QtClientSocket::isOpen() const
{
    return m_socket.state() != QAbstractSocket::UnconnectedState;
}

} // namespace pollwick
