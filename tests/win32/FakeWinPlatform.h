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

// The platform is its own dialogs, sound, launcher and attention marks.
class FakeWinPlatform final : public win::Platform,
                              public win::FileDialog,
                              public win::MessageBox,
                              public win::SoundPlayer,
                              public win::GameLauncher,
                              public win::Attention
{
public:
    std::unique_ptr<Timer> createTimer() override;
    std::unique_ptr<ListConnection> createConnection() override;
    const Clock& clock() override { return m_clock; }
    SettingsStore& settings() override { return store; }
    win::FileDialog& fileDialog() override { return *this; }
    win::MessageBox& messageBox() override { return *this; }
    win::SoundPlayer& sound() override { return *this; }
    win::GameLauncher& launcher() override { return *this; }
    win::Attention& attention() override { return *this; }
    void endProcess() override { ended = true; }

    std::optional<std::wstring> openFile(HWND owner, texts::FileFilter filter,
                                         const std::wstring& initialFile) override;
    void show(HWND owner, const std::wstring& prompt, const std::wstring& title) override;
    void playSync(const std::wstring& path) override;
    bool start(const std::wstring& program, const std::wstring& connectAddress) override;
    void serverUp(HWND window, const std::wstring& title, const std::wstring& body) override;

    // The one running timer with this interval; nullptr when there is none.
    // The timers live as long as the windows that made them, which outlive
    // every use of this in a test.
    [[nodiscard]] ManualTimer* timerRunningAt(std::chrono::milliseconds interval) const;
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
    std::vector<ManualTimer*> m_timers;
    HandedConnection* m_connection = nullptr;
};

} // namespace pollwick::test
