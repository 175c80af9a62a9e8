// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/win/WinSoundPlayer.h"

#include "WaveBytes.h"
#include "platform/win/WinTimer.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <fstream>
#include <mutex>
#include <string>
#include <vector>

namespace pollwick::win {
namespace {

using namespace std::chrono_literals;
namespace wave = test::wave;

// There is no sound device here: the fake stands for winmm's PlaySoundW. It
// notes what it was given, and either ends at once or, like a sound that
// never ends, plays until stopped.
class FakeSoundOutput final : public SoundOutput
{
public:
    static constexpr const wchar_t* kDefault = L"(the default sound)";

    explicit FakeSoundOutput(bool endless)
        : m_endless(endless)
    { }

    void playFile(const std::wstring& path) override { play(path); }
    void playDefault() override { play(kDefault); }
    void stop() override
    {
        const std::lock_guard lock(m_mutex);
        ++m_stops;
        m_stopped.notify_all();
    }

    std::vector<std::wstring> played() const
    {
        const std::lock_guard lock(m_mutex);
        return m_played;
    }
    int stops() const
    {
        const std::lock_guard lock(m_mutex);
        return m_stops;
    }

private:
    void play(const std::wstring& what)
    {
        std::unique_lock lock(m_mutex);
        m_played.push_back(what);
        const int stopsBefore = m_stops;
        if (m_endless) {
            m_stopped.wait_for(lock, 60s, [&] { return m_stops > stopsBefore; });
        }
    }

    bool m_endless;
    mutable std::mutex m_mutex;
    std::condition_variable m_stopped;
    std::vector<std::wstring> m_played;
    int m_stops = 0;
};

std::wstring temporaryFolder()
{
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    return folder;
}

// A file of the test's own, taken away again at the end.
class TestFile final
{
public:
    TestFile(const std::wstring& name, const std::string& bytes)
        : m_path(temporaryFolder() + std::to_wstring(GetCurrentProcessId()) + L" " + name)
    {
        std::ofstream(m_path.c_str(), std::ios::binary) << bytes;
    }
    ~TestFile() { DeleteFileW(m_path.c_str()); }
    TestFile(const TestFile&) = delete;
    TestFile& operator=(const TestFile&) = delete;
    TestFile(TestFile&&) = delete;
    TestFile& operator=(TestFile&&) = delete;
    [[nodiscard]] const std::wstring& path() const { return m_path; }

private:
    std::wstring m_path;
};

// 0.1 s of silence, 8-bit mono at 8,000 Hz.
std::string goodWave()
{
    return wave::waveStart(wave::format(1, 8000, 8), 800) + std::string(800, '\x80');
}

// Only a regular file whose header readWaveHeader() takes, whole, reaches
// the system; the rest gets the default sound. The header reader's own
// tests hold its limits; a pipe would never end a read.
TEST(WinSoundPlayer, HandsTheSystemOnlyAWholeWaveFile)
{
    const TestFile good(L"good \u00E9\u65E5.wav", goodWave());
    const TestFile cutShort(L"cut short.wav",
                            wave::waveStart(wave::format(1, 8000, 8), 1000) +
                                std::string(100, '\x80'));
    const TestFile notWave(L"not a wave.wav", "RIFF and more, but no wave");
    const std::wstring pipeName =
        L"\\\\.\\pipe\\pollwick-sound-test-" + std::to_wstring(GetCurrentProcessId());
    HANDLE pipe =
        CreateNamedPipeW(pipeName.c_str(), PIPE_ACCESS_DUPLEX, PIPE_TYPE_BYTE, 1, 0, 0, 0, nullptr);
    ASSERT_NE(pipe, INVALID_HANDLE_VALUE);

    const struct {
        std::wstring path;
        bool played; // the file itself, not the default sound
    } cases[] = {
        {good.path(), true},        {cutShort.path(), false},
        {notWave.path(), false},    {pipeName, false},
        {temporaryFolder(), false}, {L"C:\\no such folder\\no such sound.wav", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "case " << (&c - cases));
        const auto output = std::make_shared<FakeSoundOutput>(false);
        WinSoundPlayer player(output);
        player.playSync(c.path);
        const auto played = output->played();
        ASSERT_EQ(played.size(), 1U);
        EXPECT_EQ(played.front(), c.played ? c.path : FakeSoundOutput::kDefault);
        // A sound that ended by itself is not stopped.
        EXPECT_EQ(output->stops(), 0);
    }
    CloseHandle(pipe);
}

// A sound that never ends, the file's or the default one, is stopped when
// the wait runs out; meanwhile the message loop goes on (a timer ticks).
TEST(WinSoundPlayer, StopsASoundThatNeverEnds)
{
    const TestFile good(L"endless.wav", goodWave());
    for (const std::wstring& path : {good.path(), std::wstring(L"NUL")}) {
        const auto output = std::make_shared<FakeSoundOutput>(true);
        WinSoundPlayer player(output, 300ms);
        WinTimer timer;
        int ticks = 0;
        timer.onTick([&] { ++ticks; });
        timer.start(10ms);
        player.playSync(path);
        EXPECT_EQ(output->played().size(), 1U);
        EXPECT_EQ(output->stops(), 1);
        EXPECT_GT(ticks, 0);
    }
}

} // namespace
} // namespace pollwick::win
