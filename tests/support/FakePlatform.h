#pragma once

#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/Notifier.h"
#include "platform/Platform.h"
#include "platform/ProcessLauncher.h"
#include "platform/SettingsStore.h"
#include "platform/SoundPlayer.h"
#include "platform/Timer.h"

#include <QMap>
#include <QString>
#include <QStringList>

#include <deque>
#include <functional>
#include <optional>
#include <vector>

namespace pollwick::test {

// Handles events until `condition` holds or `timeoutMs` has passed; returns
// whether it holds. It sleeps until an event comes rather than polling on a
// clock, so that thousands of query cycles take no longer than their
// sockets do, and objects deleted later (closed connections) go at once.
// For waiting on sockets, never on the window's own timers (tests fire
// those themselves).
bool waitUntil(const std::function<bool()>& condition, int timeoutMs = 5000);

// A timer that ticks only when a test says so.
class ManualTimer final : public Timer
{
public:
    void setInterval(int milliseconds) override
    {
        m_interval = milliseconds > 0 ? milliseconds : 0;
    }
    [[nodiscard]] int interval() const override { return m_interval; }
    void setEnabled(bool enabled) override { m_enabled = enabled; }
    [[nodiscard]] bool isEnabled() const override { return m_enabled; }

    // One tick, as the real timer would deliver it: only while running.
    void fire()
    {
        if (isRunning() && onTick) {
            onTick();
        }
    }

private:
    int m_interval = 0;
    bool m_enabled = true;
};

// Answers the file dialog with queued answers (nothing queued: cancel).
class FakeFileDialog final : public FileDialog
{
public:
    struct Call {
        QString filter;
        QString initialFile;
    };
    std::optional<QString> openFile(QWidget* parent, const QString& filter,
                                    const QString& initialFile) override;

    std::deque<std::optional<QString>> answers;
    std::vector<Call> calls;
};

class FakeMessageBox final : public MessageBox
{
public:
    struct Shown {
        QString prompt;
        QString title;
    };
    void show(QWidget* parent, const QString& prompt, const QString& title) override;

    std::vector<Shown> shown;
    // Runs while the box is "up", to check what the user would see then.
    std::function<void(const Shown&)> whileShown;
};

class FakeSoundPlayer final : public SoundPlayer
{
public:
    void playSync(const QString& path) override;

    QStringList played;
    std::function<void(const QString&)> whilePlaying;
};

// Records the notifications, and passes them on to the notifier of the
// test's choice when one is set.
class FakeNotifier final : public Notifier
{
public:
    struct Posted {
        QString title;
        QString body;
    };
    void notify(const QString& title, const QString& body) override;

    std::vector<Posted> posted;
    std::function<void(const Posted&)> whilePosting;
    Notifier* passOn = nullptr;
};

class FakeLauncher final : public ProcessLauncher
{
public:
    struct Started {
        QString program;
        QStringList arguments;
    };
    bool start(const QString& program, const QStringList& arguments) override;

    std::vector<Started> started;
};

// A clock that shows the time a test sets.
class ManualClock final : public Clock
{
public:
    [[nodiscard]] QDateTime now() const override { return time; }

    QDateTime time{QDate(2026, 12, 7), QTime(12, 0)};
};

// An in-memory store.
class MemorySettingsStore final : public SettingsStore
{
public:
    [[nodiscard]] QString read(const QString& application, const QString& section,
                               const QString& key) const override;
    bool write(const QString& application, const QString& section, const QString& key,
               const QString& value) override;
    [[nodiscard]] QString location(const QString& application) const override;

    QMap<QString, QString> values; // "application/section/key" -> value
};

// Real sockets; manual timers; fakes for sound, notifications, the game,
// modal dialogs and the end of the process; the settings store of the
// test's choice (in memory by default).
class FakePlatform final : public Platform
{
public:
    FakePlatform();
    ~FakePlatform() override;
    FakePlatform(const FakePlatform&) = delete;
    FakePlatform& operator=(const FakePlatform&) = delete;

    std::unique_ptr<Timer> createTimer() override;
    std::unique_ptr<ClientSocket> createSocket() override;
    SettingsStore& settings() override { return *store; }
    FileDialog& fileDialog() override { return files; }
    MessageBox& messageBox() override { return messages; }
    SoundPlayer& sound() override { return sounds; }
    Notifier& notifier() override { return notices; }
    ProcessLauncher& launcher() override { return games; }
    Clock& clock() override { return clockShown; }
    void endProcess() override { ++processEnds; }

    // Makes the window's socket; a real one unless a test or benchmark says
    // otherwise.
    std::function<std::unique_ptr<ClientSocket>()> socketFactory;

    // Puts a path into the in-memory store so the start-up check stays quiet.
    void storePath(const QString& key, const QString& value);

    MemorySettingsStore memoryStore;
    SettingsStore* store = &memoryStore;
    FakeFileDialog files;
    FakeMessageBox messages;
    FakeSoundPlayer sounds;
    FakeNotifier notices;
    FakeLauncher games;
    ManualClock clockShown;
    int processEnds = 0;
};

} // namespace pollwick::test
