// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/ClientSocket.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/Notifier.h"
#include "platform/Platform.h"
#include "platform/ProcessLauncher.h"
#include "platform/SettingsStore.h"
#include "platform/SoundPlayer.h"
#include "platform/Timer.h"

#include <QMap>
#include <QStringList>

#include <algorithm>
#include <deque>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

// Readable failures: texts as text, not as bytes.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace pollwick::test {

// Handles events until `condition` holds or `timeoutMs` has passed; returns
// whether it holds. It sleeps until an event comes rather than polling on a
// clock, so that thousands of query cycles take no longer than their
// sockets do, and objects deleted later (closed connections) go at once.
// For waiting on sockets and processes, never on the window's own timers
// (tests fire those themselves).
bool waitUntil(const std::function<bool()>& condition, int timeoutMs = 5000);

// A timer that ticks only when a test says so.
class ManualTimer final : public Timer
{
    Q_OBJECT

public:
    using Timer::Timer;

    void setInterval(int milliseconds) override { m_interval = std::max(milliseconds, 0); }
    [[nodiscard]] int interval() const override { return m_interval; }
    void setEnabled(bool enabled) override { m_enabled = enabled; }
    [[nodiscard]] bool isEnabled() const override { return m_enabled; }
    // Ticking: enabled and with an interval above 0.
    [[nodiscard]] bool isRunning() const { return isEnabled() && interval() > 0; }

    // One tick, as the real timer would deliver it: only while running.
    void fire()
    {
        if (isRunning()) {
            emit ticked();
        }
    }

private:
    int m_interval = 0;
    bool m_enabled = true;
};

// A socket without a network: connecting only counts, and a test hands the
// window what the list server would send, each piece one data arrival.
class HandedSocket final : public ClientSocket
{
    Q_OBJECT

public:
    using ClientSocket::ClientSocket;

    void close() override { m_open = false; }
    void setRemoteHost(const QString& host) override { m_host = host; }
    [[nodiscard]] QString remoteHost() const { return m_host; }
    void setRemotePort(int port) override { m_port = port; }
    [[nodiscard]] int remotePort() const { return m_port; }
    void connect() override
    {
        ++m_connection;
        m_open = true;
    }
    std::string getData() override { return std::exchange(m_pending, {}); }
    [[nodiscard]] std::uint64_t connectionNumber() const override { return m_connection; }
    [[nodiscard]] bool isOpen() const override { return m_open; }

    // One data arrival on the current connection.
    void deliver(std::string_view bytes)
    {
        m_pending += bytes;
        emit dataArrived();
    }

private:
    QString m_host;
    int m_port = 0;
    std::uint64_t m_connection = 0;
    bool m_open = false;
    std::string m_pending;
};

// The platform as the tests see it: manual timers; real sockets unless
// `socketFactory` makes others; and for every other service a stand-in that
// keeps what the window asked of it: the file dialog answers from a queue,
// the message box, the sound, the notifications and the game only record
// (notifications are also passed on to `passOn` when it is set), the clock
// shows the time a test sets and the settings are kept in memory (unless
// `store` points to another store).
class FakePlatform final : public Platform,
                           FileDialog,
                           MessageBox,
                           SoundPlayer,
                           Notifier,
                           ProcessLauncher,
                           Clock,
                           SettingsStore
{
public:
    Timer* createTimer(QObject* parent) override { return new ManualTimer(parent); }
    ClientSocket* createSocket(QObject* parent) override;
    SettingsStore& settings() override { return *store; }
    FileDialog& fileDialog() override { return *this; }
    MessageBox& messageBox() override { return *this; }
    SoundPlayer& sound() override { return *this; }
    Notifier& notifier() override { return *this; }
    ProcessLauncher& launcher() override { return *this; }
    Clock& clock() override { return *this; }
    void endProcess() override { ++processEnds; }

    // Nothing queued, or an empty answer: cancelled.
    std::optional<QString> openFile(QWidget* parent, const QString& filter,
                                    const QString& initialFile) override;
    void show(QWidget* /*parent*/, const QString& prompt, const QString& title) override
    {
        shown.emplace_back(prompt, title);
        whileShown ? whileShown(prompt, title) : void();
    }
    void playSync(const QString& path) override
    {
        played << path;
        whilePlaying ? whilePlaying() : void();
    }
    void notify(const QString& title, const QString& body) override
    {
        notices.emplace_back(title, body);
        whileNotifying ? whileNotifying() : void();
        passOn != nullptr ? passOn->notify(title, body) : void();
    }
    bool start(const QString& program, const QStringList& arguments) override
    {
        started.push_back(QStringList{program} + arguments);
        return programsStart;
    }
    [[nodiscard]] QDateTime now() const override { return time; }
    [[nodiscard]] QString read(const QString& application, const QString& section,
                               const QString& key) const override
    {
        return stored.value(application + u'/' + section + u'/' + key);
    }
    bool write(const QString& application, const QString& section, const QString& key,
               const QString& value) override
    {
        stored.insert(application + u'/' + section + u'/' + key, value);
        return true;
    }
    [[nodiscard]] QString location(const QString& /*application*/) const override
    {
        return QStringLiteral("memory");
    }
    // Puts a path into the memory store, as a run before would have.
    void storePath(const QString& key, const QString& value)
    {
        stored.insert(QStringLiteral("Wombix Pollwick/Paths/") + key, value);
    }

    // Makes the window's socket, owned by the parent given; a real one when
    // not set.
    std::function<ClientSocket*(QObject* parent)> socketFactory;
    SettingsStore* store = this;
    QMap<QString, QString> stored; // "application/section/key"
    std::deque<QString> answers; // of the file dialog
    std::vector<std::pair<QString, QString>> opened; // its filter and start file
    std::vector<std::pair<QString, QString>> shown; // prompt and title
    std::function<void(const QString&, const QString&)> whileShown;
    QStringList played;
    std::function<void()> whilePlaying; // the sound has started and not ended
    std::vector<std::pair<QString, QString>> notices; // title and body
    std::function<void()> whileNotifying;
    Notifier* passOn = nullptr;
    std::vector<QStringList> started; // the program and its arguments
    bool programsStart = true; // what start() answers
    QDateTime time{QDate(2026, 12, 7), QTime(12, 0)}; // what the clock shows
    int processEnds = 0;
};

} // namespace pollwick::test
