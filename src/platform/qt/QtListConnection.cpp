// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/qt/QtListConnection.h"

#include <QHostInfo>
#include <QObject>
#include <QSocketNotifier>

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace pollwick {
namespace {

ConnectionEnd failureToConnect(int error)
{
    switch (error) {
    case ECONNREFUSED:
        return ConnectionEnd::Refused;
    case ENETUNREACH:
    case EHOSTUNREACH:
        return ConnectionEnd::Unreachable;
    default:
        return ConnectionEnd::Failed;
    }
}

} // namespace

template <typename Step>
auto QtListConnection::forThisAttempt(Step step)
{
    return [this, attempt = m_attempt, step](auto&&... /*signalArguments*/) {
        if (attempt == m_attempt) {
            step();
        }
    };
}

QtListConnection::QtListConnection()
    : m_piece(kListPieceBytes)
{ }

QtListConnection::~QtListConnection()
{
    if (m_lookup >= 0) {
        QHostInfo::abortHostLookup(m_lookup);
    }
    dropSocket();
    delete m_context;
}

void QtListConnection::open(const std::string& host, std::uint16_t port)
{
    close();
    m_open = true;
    m_port = port;
    m_context = new QObject;
    // Resolved on Qt's own threads; the answer comes through the event loop,
    // never from inside this call.
    m_lookup =
        QHostInfo::lookupHost(QString::fromUtf8(host.data(), static_cast<qsizetype>(host.size())),
                              m_context, [this, attempt = m_attempt](const QHostInfo& info) {
                                  if (attempt == m_attempt) {
                                      resolved(info);
                                  }
                              });
}

void QtListConnection::close()
{
    ++m_attempt;
    if (m_lookup >= 0) {
        QHostInfo::abortHostLookup(m_lookup);
        m_lookup = -1;
    }
    dropSocket();
    if (m_context != nullptr) {
        m_context->deleteLater();
        m_context = nullptr;
    }
    m_addresses.clear();
    m_open = false;
}

void QtListConnection::dropSocket()
{
    // The notifiers stop watching before the socket goes; they go with
    // their context, or now when it is not theirs to wait for.
    for (QSocketNotifier** notifier : {&m_readable, &m_writable}) {
        if (*notifier != nullptr) {
            (*notifier)->setEnabled(false);
            (*notifier)->deleteLater();
            *notifier = nullptr;
        }
    }
    if (m_socket >= 0) {
        ::close(m_socket);
        m_socket = -1;
    }
}

void QtListConnection::resolved(const QHostInfo& info)
{
    m_lookup = -1;
    m_addresses = info.addresses();
    m_nextAddress = 0;
    if (info.error() != QHostInfo::NoError || m_addresses.isEmpty()) {
        end(info.error() == QHostInfo::HostNotFound ? ConnectionEnd::HostNotFound
                                                    : ConnectionEnd::Failed);
        return;
    }
    m_lastFailure = ConnectionEnd::Failed;
    connectNext();
}

void QtListConnection::connectNext()
{
    // The addresses of a name are tried in turn, as any client would.
    while (m_nextAddress < m_addresses.size()) {
        const QHostAddress address = m_addresses[m_nextAddress++];
        sockaddr_storage storage{};
        socklen_t length = 0;
        bool ok = false;
        const quint32 v4 = address.toIPv4Address(&ok);
        if (ok) {
            sockaddr_in in{};
            in.sin_family = AF_INET;
            in.sin_port = htons(m_port);
            in.sin_addr.s_addr = htonl(v4);
            std::memcpy(&storage, &in, sizeof in);
            length = sizeof in;
        } else if (address.protocol() == QAbstractSocket::IPv6Protocol) {
            sockaddr_in6 in6{};
            in6.sin6_family = AF_INET6;
            in6.sin6_port = htons(m_port);
            const Q_IPV6ADDR bytes = address.toIPv6Address();
            std::memcpy(&in6.sin6_addr, &bytes, sizeof bytes);
            in6.sin6_scope_id = address.scopeId().toUInt();
            std::memcpy(&storage, &in6, sizeof in6);
            length = sizeof in6;
        } else {
            continue;
        }
        m_socket = ::socket(storage.ss_family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        if (m_socket < 0) {
            m_lastFailure = ConnectionEnd::Failed;
            continue;
        }
        // NOLINTNEXTLINE(cppcoreguidelines-pro-type-reinterpret-cast): the sockets API
        const auto* target = reinterpret_cast<const sockaddr*>(&storage);
        if (::connect(m_socket, target, length) == 0 || errno == EINPROGRESS) {
            // Even a connection made at once is reported from the loop.
            m_writable = new QSocketNotifier(m_socket, QSocketNotifier::Write, m_context);
            QObject::connect(m_writable, &QSocketNotifier::activated, m_context,
                             forThisAttempt([this] { connectFinished(); }));
            return;
        }
        m_lastFailure = failureToConnect(errno);
        dropSocket();
    }
    end(m_lastFailure);
}

void QtListConnection::connectFinished()
{
    int error = 0;
    socklen_t length = sizeof error;
    if (::getsockopt(m_socket, SOL_SOCKET, SO_ERROR, &error, &length) != 0) {
        error = errno;
    }
    m_writable->setEnabled(false);
    m_writable->deleteLater();
    m_writable = nullptr;
    if (error != 0) {
        m_lastFailure = failureToConnect(error);
        dropSocket();
        connectNext();
        return;
    }
    m_readable = new QSocketNotifier(m_socket, QSocketNotifier::Read, m_context);
    QObject::connect(m_readable, &QSocketNotifier::activated, m_context,
                     forThisAttempt([this] { readPiece(); }));
    receiver()->connected();
}

void QtListConnection::readPiece()
{
    const ssize_t count = ::recv(m_socket, m_piece.data(), m_piece.size(), 0);
    if (count > 0) {
        receiver()->received(std::string_view(m_piece.data(), static_cast<std::size_t>(count)));
        return;
    }
    if (count == 0) {
        end(ConnectionEnd::Closed);
        return;
    }
    switch (errno) {
    case EAGAIN:
    case EINTR:
        return;
    case ECONNRESET:
        end(ConnectionEnd::Reset);
        return;
    default:
        end(ConnectionEnd::Lost);
        return;
    }
}

void QtListConnection::end(ConnectionEnd end)
{
    close();
    receiver()->ended(end);
}

} // namespace pollwick
