// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/ListServerProtocol.h"

#include <QByteArray>
#include <QHostAddress>
#include <QObject>
#include <QPointer>
#include <QTcpServer>

#include <cstdint>
#include <optional>
#include <vector>

namespace pollwick::sim {

// Ways in which a list server can let a client down, for trying out how a
// client copes with them.
enum class Misbehaviour {
    None, // send the response, then close
    NeverAnswer, // accept the connection, then send nothing and keep it open
    ResetMidLine, // send the response up to the middle of a line, then reset the connection
    ResetAfterList, // send the whole response, then reset the connection instead of closing it
    NeverStop, // send the response over and over, never closing
    EndlessLine, // start a line and never end it, never closing
    Garbage, // send 64 KiB of random bytes (LF, CR and NUL among them), then close
    OneBytePer100ms, // send the response one byte every 100 ms, then close
    AnswerLate, // accept, send nothing for the answer delay (or until released), then answer
};

class Session;

// A list server on the loopback interface, for tests and for trying the
// window and the command-line tool without the real one. Like the real list
// server it reads nothing: every accepted connection gets the response, and
// then the server closes it (unless misbehaving).
//
// Everything runs on the thread of the object's event loop; the object must
// outlive no event loop and be used from one thread.
class ListServer : public QObject
{
    Q_OBJECT

public:
    explicit ListServer(QObject* parent = nullptr);
    ~ListServer() override;
    ListServer(const ListServer&) = delete;
    ListServer& operator=(const ListServer&) = delete;

    // Starts accepting connections; false when the address and port cannot
    // be had (see errorString()). A server that is already listening stops
    // first.
    bool listen(const QHostAddress& address, quint16 port = kListServerPort);
    [[nodiscard]] bool isListening() const { return m_server.isListening(); }
    [[nodiscard]] QHostAddress address() const { return m_server.serverAddress(); }
    [[nodiscard]] quint16 port() const { return m_server.serverPort(); }
    [[nodiscard]] QString errorString() const { return m_server.errorString(); }

    // A fixed response, sent whole to each connection, which is then closed.
    // Before any setResponse or setGenerated the response is empty.
    void setResponse(QByteArray response);
    // Realistic changing lists: connection n (counted from 1) gets
    // generatedResponse(seed, n - 1).
    void setGenerated(quint32 seed);
    // Sends each response in pieces of chunkBytes with delayMs between them;
    // (0, 0) sends it all at once. Misbehaviours that pace themselves
    // (OneBytePer100ms, and the endless ones) ignore it.
    void setChunking(int chunkBytes, int delayMs);
    void setMisbehaviour(Misbehaviour misbehaviour);
    // How long AnswerLate keeps a connection waiting (2000 ms unless set).
    void setAnswerDelay(int milliseconds);
    // Sends at once every response that AnswerLate still holds back.
    void releaseHeld();

    // Connections accepted so far.
    [[nodiscard]] int connectionCount() const { return m_connections; }
    // Connections still open.
    [[nodiscard]] int openConnections() const;
    // The response that connection `number` (counted from 1) gets.
    [[nodiscard]] QByteArray responseFor(int number) const;

    // Drops every open connection at once and stops listening; listen()
    // starts again.
    void closeAll();

signals:
    // A connection was accepted; `count` is connectionCount() after it.
    void connectionAccepted(int count);
    // The server is done with connection `number`: it closed it, reset it
    // or the client went away.
    void connectionFinished(int number);

private:
    void acceptPending();

    QTcpServer m_server;
    QByteArray m_response;
    bool m_generated = false;
    quint32 m_seed = 0;
    int m_chunkBytes = 0;
    int m_delayMs = 0;
    Misbehaviour m_misbehaviour = Misbehaviour::None;
    int m_answerDelayMs = 2000;
    int m_connections = 0;
    std::vector<QPointer<Session>> m_sessions;
};

// Listens on the first free address of 127.0.0.2 .. 127.0.0.254 at `port`,
// so that tests running side by side never share one; false if none is free.
bool listenOnFreeLoopback(ListServer& server, quint16 port = kListServerPort);

// A realistic response text (CR LF lines) for a given seed and query number
// (0 for the first connection).
QByteArray generatedResponse(quint32 seed, int query);

// The misbehaviour of a command-line name ("never-answer", ...), or nullopt.
std::optional<Misbehaviour> misbehaviourFromName(QStringView name);
QString misbehaviourName(Misbehaviour misbehaviour);

} // namespace pollwick::sim
