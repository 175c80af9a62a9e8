// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "listserver/ListServer.h"

#include "listserver/SimulatedList.h"

#include <QTcpSocket>
#include <QTimer>

#include <functional>
#include <random>

#ifdef _WIN32
#include <winsock2.h>
#else
#include <sys/socket.h>
#endif

namespace pollwick::sim {
namespace {

// The endless misbehaviours keep this much queued and no more, so that a
// client that stops reading does not make the simulator fill memory.
constexpr qint64 kEndlessQueueBytes = qint64{256} * 1024;
constexpr int kGarbageBytes = 64 * 1024;
constexpr int kOneByteDelayMs = 100;
// Before a reset, time for the bytes already written to reach the client;
// a reset discards whatever the kernel still holds.
constexpr int kResetGraceMs = 50;

// Cuts a response in the middle of its middle line, so that a client gets
// complete lines and then the head of one that never ends.
qsizetype midLineCut(const QByteArray& response)
{
    if (response.isEmpty()) {
        return 0;
    }
    const qsizetype middle = response.size() / 2;
    const qsizetype lineStart = middle == 0 ? 0 : response.lastIndexOf('\n', middle - 1) + 1;
    qsizetype lineEnd = response.indexOf('\n', lineStart);
    if (lineEnd < 0) {
        lineEnd = response.size();
    }
    return lineStart + std::max<qsizetype>(1, (lineEnd - lineStart) / 2);
}

QByteArray garbage(quint32 seed)
{
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<int> kind(0, 99);
    // Mostly random bytes, with plenty of the ones that a line parser looks
    // for, so that the garbage makes lines and half-fields.
    static constexpr std::string_view kSpecial("\n\r\0[]:/ |\xA7", 10);
    QByteArray out;
    out.reserve(kGarbageBytes);
    for (int i = 0; i < kGarbageBytes; ++i) {
        if (kind(random) < 20) {
            out += kSpecial[static_cast<std::size_t>(byte(random)) % kSpecial.size()];
        } else {
            out += static_cast<char>(byte(random));
        }
    }
    return out;
}

} // namespace

// One accepted connection and what the server does with it.
class Session final : public QObject
{
public:
    struct Plan {
        QByteArray response;
        int chunkBytes = 0;
        int delayMs = 0;
        Misbehaviour misbehaviour = Misbehaviour::None;
        quint32 seed = 0;
        int answerDelayMs = 0;
    };

    Session(QTcpSocket* socket, int number, Plan plan, std::function<void(int)> onFinished,
            QObject* parent)
        : QObject(parent)
        , m_socket(socket)
        , m_number(number)
        , m_plan(std::move(plan))
        , m_onFinished(std::move(onFinished))
    {
        m_socket->setParent(this);
        m_timer.setSingleShot(true);
        m_lateTimer.setSingleShot(true);
        QObject::connect(m_socket, &QTcpSocket::disconnected, this, [this] { finish(); });
        QObject::connect(m_socket, &QAbstractSocket::errorOccurred, this, [this] {
            if (m_socket->state() == QAbstractSocket::UnconnectedState) {
                finish();
            }
        });
    }

    void start()
    {
        switch (m_plan.misbehaviour) {
        case Misbehaviour::None:
            sendPaced(m_plan.response, m_plan.chunkBytes, m_plan.delayMs,
                      [this] { closeGently(); });
            break;
        case Misbehaviour::NeverAnswer:
            break;
        case Misbehaviour::ResetMidLine:
            sendPaced(m_plan.response.left(midLineCut(m_plan.response)), m_plan.chunkBytes,
                      m_plan.delayMs, [this] { resetWhenFlushed(); });
            break;
        case Misbehaviour::ResetAfterList:
            sendPaced(m_plan.response, m_plan.chunkBytes, m_plan.delayMs,
                      [this] { resetWhenFlushed(); });
            break;
        case Misbehaviour::NeverStop:
            m_endless = m_plan.response.isEmpty()
                ? QByteArray("192.0.2.1:7000 battle 1.24   [1/16] "
                             "Again And Again\r\n")
                : m_plan.response;
            keepSending();
            break;
        case Misbehaviour::EndlessLine:
            m_socket->write("192.0.2.99:7999 battle 1.24   [1/16] ");
            m_endless = QByteArray(qsizetype{64} * 1024, 'W');
            keepSending();
            break;
        case Misbehaviour::Garbage:
            sendPaced(garbage(m_plan.seed), m_plan.chunkBytes, m_plan.delayMs,
                      [this] { closeGently(); });
            break;
        case Misbehaviour::OneBytePer100ms:
            sendPaced(m_plan.response, 1, kOneByteDelayMs, [this] { closeGently(); });
            break;
        case Misbehaviour::AnswerLate:
            m_held = true;
            QObject::connect(&m_lateTimer, &QTimer::timeout, this, [this] { release(); });
            m_lateTimer.start(std::max(m_plan.answerDelayMs, 0));
            break;
        }
    }

    // Sends a held-back response now (AnswerLate); does nothing otherwise.
    void release()
    {
        if (!m_held || m_finished) {
            return;
        }
        m_held = false;
        m_lateTimer.stop();
        sendPaced(m_plan.response, m_plan.chunkBytes, m_plan.delayMs, [this] { closeGently(); });
    }

    // Ends the connection at once, without the rest of the response.
    void drop()
    {
        m_timer.stop();
        m_lateTimer.stop();
        m_socket->abort();
        finish();
    }

private:
    void sendPaced(QByteArray bytes, int chunkBytes, int delayMs, std::function<void()> then)
    {
        m_pending = std::move(bytes);
        m_sent = 0;
        m_afterSending = std::move(then);
        if (chunkBytes <= 0) {
            m_socket->write(m_pending);
            m_sent = m_pending.size();
            m_afterSending();
            return;
        }
        QObject::connect(&m_timer, &QTimer::timeout, this,
                         [this, chunkBytes] { sendChunk(chunkBytes); });
        m_timer.setInterval(std::max(delayMs, 0));
        sendChunk(chunkBytes);
    }

    void sendChunk(int chunkBytes)
    {
        const qsizetype size = std::min<qsizetype>(chunkBytes, m_pending.size() - m_sent);
        if (size > 0) {
            m_socket->write(m_pending.constData() + m_sent, size);
            m_socket->flush();
            m_sent += size;
        }
        if (m_sent >= m_pending.size()) {
            m_afterSending();
        } else {
            m_timer.start();
        }
    }

    // Closes after everything written has gone out.
    void closeGently() { m_socket->disconnectFromHost(); }

    void resetWhenFlushed()
    {
        if (m_socket->bytesToWrite() > 0) {
            QObject::connect(m_socket, &QTcpSocket::bytesWritten, this, [this] {
                if (m_socket->bytesToWrite() == 0 && !m_resetting) {
                    resetSoon();
                }
            });
            return;
        }
        resetSoon();
    }

    void resetSoon()
    {
        m_resetting = true;
        QTimer::singleShot(kResetGraceMs, this, [this] { reset(); });
    }

    // A reset (RST), not a close: the client sees the connection break.
    // Closing with a zero linger time is how one asks the kernel for that.
    void reset()
    {
        const qintptr descriptor = m_socket->socketDescriptor();
        if (descriptor != -1) {
            linger option{};
            option.l_onoff = 1;
            option.l_linger = 0;
#ifdef _WIN32
            ::setsockopt(static_cast<SOCKET>(descriptor), SOL_SOCKET, SO_LINGER,
                         reinterpret_cast<const char*>(&option), sizeof option);
#else
            ::setsockopt(static_cast<int>(descriptor), SOL_SOCKET, SO_LINGER, &option,
                         sizeof option);
#endif
        }
        m_socket->abort();
        finish();
    }

    // Keeps a bounded amount queued; bytesWritten asks for more.
    void keepSending()
    {
        QObject::connect(m_socket, &QTcpSocket::bytesWritten, this, [this] { topUp(); });
        topUp();
    }

    void topUp()
    {
        while (m_socket->state() == QAbstractSocket::ConnectedState &&
               m_socket->bytesToWrite() < kEndlessQueueBytes) {
            m_socket->write(m_endless);
        }
    }

    void finish()
    {
        if (m_finished) {
            return;
        }
        m_finished = true;
        m_timer.stop();
        m_lateTimer.stop();
        if (m_onFinished) {
            m_onFinished(m_number);
        }
        deleteLater();
    }

    QTcpSocket* m_socket;
    int m_number;
    Plan m_plan;
    std::function<void(int)> m_onFinished;
    QTimer m_timer;
    QTimer m_lateTimer;
    bool m_held = false;
    QByteArray m_pending;
    qsizetype m_sent = 0;
    std::function<void()> m_afterSending;
    QByteArray m_endless;
    bool m_resetting = false;
    bool m_finished = false;
};

ListServer::ListServer(QObject* parent)
    : QObject(parent)
{
    QObject::connect(&m_server, &QTcpServer::newConnection, this, [this] { acceptPending(); });
}

ListServer::~ListServer()
{
    // No signals from a half-destroyed object.
    blockSignals(true);
    closeAll();
}

bool ListServer::listen(const QHostAddress& address, quint16 port)
{
    if (m_server.isListening()) {
        m_server.close();
    }
    return m_server.listen(address, port);
}

void ListServer::setResponse(QByteArray response)
{
    m_response = std::move(response);
    m_generated = false;
}

void ListServer::setGenerated(quint32 seed)
{
    m_seed = seed;
    m_generated = true;
}

void ListServer::setChunking(int chunkBytes, int delayMs)
{
    m_chunkBytes = chunkBytes;
    m_delayMs = delayMs;
}

void ListServer::setMisbehaviour(Misbehaviour misbehaviour)
{
    m_misbehaviour = misbehaviour;
}

void ListServer::setAnswerDelay(int milliseconds)
{
    m_answerDelayMs = milliseconds;
}

void ListServer::releaseHeld()
{
    const std::vector<QPointer<Session>> sessions = m_sessions;
    for (const QPointer<Session>& session : sessions) {
        if (!session.isNull()) {
            session->release();
        }
    }
}

int ListServer::openConnections() const
{
    int open = 0;
    for (const QPointer<Session>& session : m_sessions) {
        if (!session.isNull()) {
            ++open;
        }
    }
    return open;
}

QByteArray ListServer::responseFor(int number) const
{
    return m_generated ? generatedResponse(m_seed, number - 1) : m_response;
}

void ListServer::closeAll()
{
    m_server.close();
    const std::vector<QPointer<Session>> sessions = std::move(m_sessions);
    m_sessions.clear();
    for (const QPointer<Session>& session : sessions) {
        if (!session.isNull()) {
            session->drop();
        }
    }
}

void ListServer::acceptPending()
{
    while (QTcpSocket* socket = m_server.nextPendingConnection()) {
        const int number = ++m_connections;
        Session::Plan plan;
        plan.response = responseFor(number);
        plan.chunkBytes = m_chunkBytes;
        plan.delayMs = m_delayMs;
        plan.misbehaviour = m_misbehaviour;
        plan.seed = m_seed ^ static_cast<quint32>(number);
        plan.answerDelayMs = m_answerDelayMs;
        auto* session = new Session(
            socket, number, std::move(plan), [this](int done) { emit connectionFinished(done); },
            this);
        // Forget sessions that are gone, so that a long run does not pile
        // them up.
        std::erase_if(m_sessions, [](const QPointer<Session>& s) { return s.isNull(); });
        m_sessions.emplace_back(session);
        session->start();
        emit connectionAccepted(number);
    }
}

bool listenOnFreeLoopback(ListServer& server, quint16 port)
{
    for (int host = 2; host <= 254; ++host) {
        if (server.listen(QHostAddress(QStringLiteral("127.0.0.%1").arg(host)), port)) {
            return true;
        }
    }
    return false;
}

QByteArray generatedResponse(quint32 seed, int query)
{
    return QByteArray::fromStdString(simulatedResponse(seed, query));
}

std::optional<Misbehaviour> misbehaviourFromName(QStringView name)
{
    for (const Misbehaviour m :
         {Misbehaviour::None, Misbehaviour::NeverAnswer, Misbehaviour::ResetMidLine,
          Misbehaviour::ResetAfterList, Misbehaviour::NeverStop, Misbehaviour::EndlessLine,
          Misbehaviour::Garbage, Misbehaviour::OneBytePer100ms, Misbehaviour::AnswerLate}) {
        if (name == misbehaviourName(m)) {
            return m;
        }
    }
    return std::nullopt;
}

QString misbehaviourName(Misbehaviour misbehaviour)
{
    switch (misbehaviour) {
    case Misbehaviour::None:
        return QStringLiteral("none");
    case Misbehaviour::NeverAnswer:
        return QStringLiteral("never-answer");
    case Misbehaviour::ResetMidLine:
        return QStringLiteral("reset-mid-line");
    case Misbehaviour::ResetAfterList:
        return QStringLiteral("reset-after-list");
    case Misbehaviour::NeverStop:
        return QStringLiteral("never-stop");
    case Misbehaviour::EndlessLine:
        return QStringLiteral("endless-line");
    case Misbehaviour::Garbage:
        return QStringLiteral("garbage");
    case Misbehaviour::OneBytePer100ms:
        return QStringLiteral("one-byte-per-100ms");
    case Misbehaviour::AnswerLate:
        return QStringLiteral("answer-late");
    }
    return QStringLiteral("none");
}

} // namespace pollwick::sim
