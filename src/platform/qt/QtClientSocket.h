// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/ClientSocket.h"

#include <QTcpSocket>

namespace pollwick {

class QtClientSocket final : public ClientSocket
{
    Q_OBJECT

public:
    explicit QtClientSocket(QObject* parent = nullptr);

    void close() override;
    void setRemoteHost(const QString& host) override { m_host = host; }
    void setRemotePort(int port) override { m_port = port; }
    void connect() override;
    std::string getData() override;
    [[nodiscard]] std::uint64_t connectionNumber() const override { return m_connection; }
    [[nodiscard]] bool isOpen() const override;

private:
    void report(SocketOutcome outcome);

    // A child: it goes with this socket, after every connection to this one's
    // signals has gone, so that its last notifications reach nobody.
    QTcpSocket* m_socket;
    QString m_host;
    int m_port = 0;
    std::uint64_t m_connection = 0;
    bool m_connected = false; // the current connection was made
    bool m_reportedEnd = false; // its end, or its failure, has been reported
    bool m_closing = false; // inside close()
};

} // namespace pollwick
