// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "FakeWinPlatform.h"

#include "win32/WideText.h"

#include <algorithm>

namespace pollwick::test {

std::string MemoryStore::read(const std::string& application, const std::string& section,
                              const std::string& key) const
{
    const auto found = values.find(application + "/" + section + "/" + key);
    return found == values.end() ? std::string() : found->second;
}

bool MemoryStore::write(const std::string& application, const std::string& section,
                        const std::string& key, const std::string& value)
{
    if (failing) {
        return false;
    }
    values[application + "/" + section + "/" + key] = value;
    return true;
}

std::string MemoryStore::location(const std::string& application) const
{
    return "HKEY_CURRENT_USER\\Software\\" + application;
}

using win::toUtf8;

TestTimer::TestTimer(std::vector<TestTimer*>& running)
    : m_timers(running)
{
    m_timers.push_back(this);
}

TestTimer::~TestTimer()
{
    m_timers.erase(std::remove(m_timers.begin(), m_timers.end(), this), m_timers.end());
}

void TestTimer::start(std::chrono::milliseconds interval)
{
    m_interval = interval.count() > 0 ? interval : std::chrono::milliseconds(0);
}

void TestTimer::stop()
{
    m_interval = std::chrono::milliseconds(0);
}

bool TestTimer::isActive() const
{
    return m_interval.count() > 0;
}

void TestTimer::fire() const
{
    if (isActive()) {
        tick();
    }
}

class RecordingServices final : public win::FileDialog,
                                public win::MessageBox,
                                public win::SoundPlayer,
                                public win::GameLauncher,
                                public win::Attention
{
public:
    explicit RecordingServices(FakeWinPlatform& platform)
        : m_platform(platform)
    { }

    std::optional<std::wstring> openFile(HWND /*owner*/, texts::FileFilter filter,
                                         const std::wstring& initialFile) override
    {
        m_platform.events.push_back("open " + std::string(filter.description) + "|" +
                                    std::string(filter.pattern) + "|" + toUtf8(initialFile));
        if (m_platform.fileAnswers.empty()) {
            return std::nullopt;
        }
        std::optional<std::wstring> answer = m_platform.fileAnswers.front();
        m_platform.fileAnswers.pop_front();
        return answer;
    }
    void show(HWND /*owner*/, const std::wstring& prompt, const std::wstring& title) override
    {
        m_platform.events.push_back("message " + toUtf8(prompt) + "|" + toUtf8(title));
    }
    void playSync(const std::wstring& path) override
    {
        m_platform.events.push_back("sound " + toUtf8(path));
    }
    bool start(const std::wstring& program, const std::wstring& connectAddress) override
    {
        m_platform.events.push_back("launch " + toUtf8(program) + " " + toUtf8(connectAddress));
        return m_platform.launchSucceeds;
    }
    void serverUp(HWND /*window*/, const std::wstring& title, const std::wstring& body) override
    {
        m_platform.events.push_back("attention " + toUtf8(title) + "|" + toUtf8(body));
    }

private:
    FakeWinPlatform& m_platform;
};

FakeWinPlatform::FakeWinPlatform()
    : m_services(std::make_unique<RecordingServices>(*this))
{ }

FakeWinPlatform::~FakeWinPlatform() = default;

win::FileDialog& FakeWinPlatform::fileDialog()
{
    return *m_services;
}

win::MessageBox& FakeWinPlatform::messageBox()
{
    return *m_services;
}

win::SoundPlayer& FakeWinPlatform::sound()
{
    return *m_services;
}

win::GameLauncher& FakeWinPlatform::launcher()
{
    return *m_services;
}

win::Attention& FakeWinPlatform::attention()
{
    return *m_services;
}

std::unique_ptr<Timer> FakeWinPlatform::createTimer()
{
    return std::make_unique<TestTimer>(m_timers);
}

std::unique_ptr<ListConnection> FakeWinPlatform::createConnection()
{
    auto connection = std::make_unique<HandedConnection>();
    m_connection = connection.get();
    return connection;
}

TestTimer* FakeWinPlatform::timerRunningAt(std::chrono::milliseconds interval) const
{
    TestTimer* found = nullptr;
    for (TestTimer* timer : m_timers) {
        if (timer->isActive() && timer->interval() == interval) {
            if (found != nullptr) {
                return nullptr; // not one
            }
            found = timer;
        }
    }
    return found;
}

} // namespace pollwick::test
