// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "FakeWinPlatform.h"

#include "win32/WideText.h"

namespace pollwick::test {

using win::toUtf8;

std::unique_ptr<Timer> FakeWinPlatform::createTimer()
{
    auto timer = std::make_unique<ManualTimer>();
    m_timers.push_back(timer.get());
    return timer;
}

std::unique_ptr<ListConnection> FakeWinPlatform::createConnection()
{
    auto connection = std::make_unique<HandedConnection>();
    m_connection = connection.get();
    return connection;
}

ManualTimer* FakeWinPlatform::timerRunningAt(std::chrono::milliseconds interval) const
{
    ManualTimer* found = nullptr;
    for (ManualTimer* timer : m_timers) {
        if (timer->isActive() && timer->interval() == interval) {
            if (found != nullptr) {
                return nullptr; // not one
            }
            found = timer;
        }
    }
    return found;
}

std::optional<std::wstring> FakeWinPlatform::openFile(HWND /*owner*/, texts::FileFilter filter,
                                                      const std::wstring& initialFile)
{
    events.push_back("open " + std::string(filter.description) + "|" + std::string(filter.pattern) +
                     "|" + toUtf8(initialFile));
    if (fileAnswers.empty()) {
        return std::nullopt;
    }
    std::optional<std::wstring> answer = fileAnswers.front();
    fileAnswers.pop_front();
    return answer;
}

void FakeWinPlatform::show(HWND /*owner*/, const std::wstring& prompt, const std::wstring& title)
{
    events.push_back("message " + toUtf8(prompt) + "|" + toUtf8(title));
}

void FakeWinPlatform::playSync(const std::wstring& path)
{
    events.push_back("sound " + toUtf8(path));
}

bool FakeWinPlatform::start(const std::wstring& program, const std::wstring& connectAddress)
{
    events.push_back("launch " + toUtf8(program) + " " + toUtf8(connectAddress));
    return launchSucceeds;
}

void FakeWinPlatform::serverUp(HWND /*window*/, const std::wstring& title, const std::wstring& body)
{
    events.push_back("attention " + toUtf8(title) + "|" + toUtf8(body));
}

} // namespace pollwick::test
