// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/settings/GamePaths.h"
#include "fakes/PortFakes.h"
#include "platform/Dialogs.h"
#include "platform/Notifier.h"
#include "platform/Platform.h"
#include "platform/ProcessLauncher.h"
#include "platform/SoundPlayer.h"

#include <QString>
#include <QStringList>

#include <deque>
#include <functional>
#include <map>
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
// For waiting on sockets and processes, never on the windows' own timers
// (tests fire those themselves).
bool waitUntil(const std::function<bool()>& condition, int timeoutMs = 5000);

// Every service the windows reach, with what cannot run here faked: the
// sound, notifications, the game, the modal dialogs and the end of the
// process record what they were asked, and answer as told; timers tick
// only when a test fires them; the clock shows 12:00:00. The list
// connection is a HandedConnection that a test plays the list server
// through, or a real one against a list server on loopback.
class FakePlatform final : public Platform,
                           public FileDialog,
                           public MessageBox,
                           public SoundPlayer,
                           public Notifier,
                           public ProcessLauncher
{
public:
    enum class Connection : std::uint8_t { Handed, Real };
    explicit FakePlatform(Connection connection = Connection::Handed)
        : m_connection(connection)
    { }

    std::unique_ptr<Timer> createTimer(TimerRole role) override;
    std::unique_ptr<ListConnection> createConnection() override;
    const Clock& clock() override { return m_clock; }
    SettingsStore& settings() override { return realStore != nullptr ? *realStore : store; }
    FileDialog& fileDialog() override { return *this; }
    MessageBox& messageBox() override { return *this; }
    SoundPlayer& sound() override { return *this; }
    Notifier& notifier() override { return *this; }
    ProcessLauncher& launcher() override { return *this; }
    void endProcess() override { ++processEnds; }

    std::optional<QString> openFile(QWidget* parent, texts::FileFilter filter,
                                    const QString& initialFile) override;
    void show(QWidget* /*parent*/, const QString& prompt, const QString& title) override;
    void playSync(const QString& path) override;
    void notify(const QString& title, const QString& body) override;
    bool start(const QString& program, const QStringList& arguments) override;

    // The timer made for `role` (the last one, if several were made).
    [[nodiscard]] ManualTimer& timer(TimerRole role) const { return *m_timers.at(role); }
    // The handed connection the window was given.
    [[nodiscard]] HandedConnection& handed() const { return *m_handed; }
    // Puts a game path into the store, as a run before would have.
    void storePath(const std::string& key, const std::string& value)
    {
        store.values["Wombix Pollwick/Paths/" + key] = value;
    }

    MemoryStore store;
    SettingsStore* realStore = nullptr; // used instead of `store` when set
    std::deque<QString> answers; // of the file dialog; empty: cancelled
    std::vector<std::pair<QString, QString>> opened; // "description|pattern" and start file
    std::vector<std::pair<QString, QString>> shown; // prompt and title
    std::function<void(const QString&, const QString&)> whileShown;
    QStringList played;
    std::function<void()> whilePlaying; // the sound has started and not ended
    std::vector<std::pair<QString, QString>> notices; // title and body
    std::function<void()> whileNotifying;
    Notifier* passOn = nullptr; // a real notifier that gets every notice too
    std::vector<QStringList> started; // the program and its arguments
    bool programsStart = true; // what start() answers
    int processEnds = 0;

private:
    Connection m_connection;
    FixedClock m_clock;
    std::map<TimerRole, ManualTimer*> m_timers;
    HandedConnection* m_handed = nullptr;
};

} // namespace pollwick::test
