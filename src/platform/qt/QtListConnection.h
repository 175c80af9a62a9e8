// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/scan/ListConnection.h"

#include <QHostAddress>
#include <QList>

#include <cstdint>
#include <memory>
#include <vector>

class QHostInfo;
class QObject;
class QSocketNotifier;

namespace pollwick {

// The list connection on Qt's event loop: a plain TCP socket of the system
// under two socket notifiers, with the name resolved by QHostInfo in the
// background. Qt's own socket reads a reset connection as the list server's
// close, and a list cut by a reset right after a whole line would then pass
// for a whole list; the system's socket says which it was (ECONNRESET).
//
// At most kListPieceBytes are read and handed over per notification; the
// notifier comes again while more waits, so the event loop runs between
// pieces, and unread data stays in the system's buffers rather than ours.
class QtListConnection final : public ListConnection
{
public:
    QtListConnection();
    ~QtListConnection() override;
    QtListConnection(const QtListConnection&) = delete;
    QtListConnection& operator=(const QtListConnection&) = delete;
    QtListConnection(QtListConnection&&) = delete;
    QtListConnection& operator=(QtListConnection&&) = delete;

    void open(const std::string& host, std::uint16_t port) override;
    void close() override;
    [[nodiscard]] bool isOpen() const override { return m_open; }

private:
    void resolved(const QHostInfo& info);
    void connectNext();
    void connectFinished();
    void readPiece();
    void end(ConnectionEnd end);
    void dropSocket();
    // Runs `step` for this attempt's notifications only.
    template <typename Step>
    auto forThisAttempt(Step step);

    // Owns the notifiers and receives the name's resolution. A closed
    // connection's context goes at the next turn of the event loop (it may
    // be closed from inside one of its own notifications); whatever it
    // still delivers is for an attempt that is over, and is dropped.
    QObject* m_context = nullptr;
    std::uint64_t m_attempt = 0;
    int m_lookup = -1;
    QList<QHostAddress> m_addresses;
    qsizetype m_nextAddress = 0;
    std::uint16_t m_port = 0;
    int m_socket = -1;
    QSocketNotifier* m_readable = nullptr;
    QSocketNotifier* m_writable = nullptr;
    bool m_open = false;
    ConnectionEnd m_lastFailure = ConnectionEnd::Failed;
    std::vector<char> m_piece;
};

} // namespace pollwick
