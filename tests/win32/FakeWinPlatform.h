// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The Windows services for the window tests: timers that tick when the test
// says, a connection that the test plays the list server through, a store in
// memory, and dialogs, sound, game start and attention marks that record
// what they were asked and answer as the test says, without showing
// anything modal.

#include "core/settings/GamePaths.h"
#include "fakes/PortFakes.h"
#include "platform/win/WinPlatform.h"

#include <chrono>
#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace pollwick::test {

class MemoryStore final : public SettingsStore
{
public:
    [[nodiscard]] std::string read(const std::string& application, const std::string& section,
                                   const std::string& key) const override;
    bool write(const std::string& application, const std::string& section, const std::string& key,
               const std::string& value) override;
    [[nodiscard]] std::string location(const std::string& application) const override;
    [[nodiscard]] std::string trouble(const std::string& /*application*/) const override
    {
        return troubleText;
    }

    // Keyed "application/section/key".
    std::map<std::string, std::string> values;
    bool failing = false; // refuses every write
    std::string troubleText; // why it cannot be read; empty when it can
};

// A timer that ticks when the test fires it, and only while it runs.
class TestTimer final : public Timer
{
public:
    explicit TestTimer(std::vector<TestTimer*>& running);
    ~TestTimer() override;
    TestTimer(const TestTimer&) = delete;
    TestTimer& operator=(const TestTimer&) = delete;
    TestTimer(TestTimer&&) = delete;
    TestTimer& operator=(TestTimer&&) = delete;

    void start(std::chrono::milliseconds interval) override;
    void stop() override;
    [[nodiscard]] bool isActive() const override;
    [[nodiscard]] std::chrono::milliseconds interval() const { return m_interval; }
    void fire() const;

private:
    std::vector<TestTimer*>& m_timers;
    std::chrono::milliseconds m_interval{0};
};

class RecordingServices;

class FakeWinPlatform final : public win::Platform
{
public:
    FakeWinPlatform();
    ~FakeWinPlatform() override;
    FakeWinPlatform(const FakeWinPlatform&) = delete;
    FakeWinPlatform& operator=(const FakeWinPlatform&) = delete;
    FakeWinPlatform(FakeWinPlatform&&) = delete;
    FakeWinPlatform& operator=(FakeWinPlatform&&) = delete;

    std::unique_ptr<Timer> createTimer() override;
    std::unique_ptr<ListConnection> createConnection() override;
    const Clock& clock() override { return m_clock; }
    SettingsStore& settings() override { return store; }
    win::FileDialog& fileDialog() override;
    win::MessageBox& messageBox() override;
    win::SoundPlayer& sound() override;
    win::GameLauncher& launcher() override;
    win::Attention& attention() override;
    void endProcess() override { ended = true; }

    // The one running timer with this interval; nullptr when there is none.
    [[nodiscard]] TestTimer* timerRunningAt(std::chrono::milliseconds interval) const;
    // The connection the window made; nullptr before.
    [[nodiscard]] HandedConnection* connection() const { return m_connection; }

    MemoryStore store;
    // What each service was asked, in order, one line each: "attention
    // TITLE|BODY", "sound PATH", "message PROMPT|TITLE", "launch PROGRAM
    // ADDRESS", "open DESCRIPTION|PATTERN|INITIAL" (UTF-8).
    std::vector<std::string> events;
    // The file dialog's next answers; nothing (a cancel) when none is left.
    std::deque<std::optional<std::wstring>> fileAnswers;
    bool launchSucceeds = true;
    bool ended = false;

private:
    FixedClock m_clock;
    std::vector<TestTimer*> m_timers;
    HandedConnection* m_connection = nullptr;
    std::unique_ptr<RecordingServices> m_services;
};

} // namespace pollwick::test
