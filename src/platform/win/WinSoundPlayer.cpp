// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/win/WinSoundPlayer.h"

// clang-format off
// <mmsystem.h> needs the types that <windows.h> defines: keep this order.
#include <windows.h>
#include <mmsystem.h>
// clang-format on

#include <optional>

namespace pollwick::win {
namespace {

// Enough for the chunks that stand before "data" in any real wave file.
constexpr DWORD kHeadBytes = 64 * 1024;

class SystemSoundOutput final : public SoundOutput
{
public:
    void playFile(const std::wstring& path) override
    {
        PlaySoundW(path.c_str(), nullptr, SND_FILENAME | SND_SYNC);
    }
    void playDefault() override { PlaySoundW(L"SystemDefault", nullptr, SND_ALIAS | SND_SYNC); }
    void stop() override { PlaySoundW(nullptr, nullptr, 0); }
};

class FileHandle final
{
public:
    explicit FileHandle(HANDLE file)
        : m_file(file)
    { }
    ~FileHandle()
    {
        if (m_file != INVALID_HANDLE_VALUE) {
            CloseHandle(m_file);
        }
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    FileHandle(FileHandle&&) = delete;
    FileHandle& operator=(FileHandle&&) = delete;
    [[nodiscard]] HANDLE get() const { return m_file; }

private:
    HANDLE m_file;
};

// How long the file plays, when it is one to hand to the system: a regular
// file on disk whose header holds up.
std::optional<std::chrono::milliseconds> playableLength(const std::wstring& path)
{
    // A folder does not open without FILE_FLAG_BACKUP_SEMANTICS; a pipe or
    // a device may, and is told apart by its type before anything is read
    // from it, since reading it might never end.
    const FileHandle file(CreateFileW(path.c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    BY_HANDLE_FILE_INFORMATION information{};
    if (file.get() == INVALID_HANDLE_VALUE || GetFileType(file.get()) != FILE_TYPE_DISK ||
        GetFileInformationByHandle(file.get(), &information) == 0 ||
        (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ||
        GetFileSizeEx(file.get(), &size) == 0 || size.QuadPart < 0) {
        return std::nullopt;
    }
    std::string head(kHeadBytes, '\0');
    DWORD held = 0;
    while (held < kHeadBytes) {
        DWORD read = 0;
        if (ReadFile(file.get(), head.data() + held, kHeadBytes - held, &read, nullptr) == 0 ||
            read == 0) {
            break;
        }
        held += read;
    }
    head.resize(held);
    const auto header = readWaveHeader(head, static_cast<std::uint64_t>(size.QuadPart));
    if (!header || !header->complete()) {
        return std::nullopt;
    }
    return header->length();
}

// What the worker thread plays; it holds its own share of the output, which
// outlives the player should a sound never end.
struct SoundJob {
    std::shared_ptr<SoundOutput> output;
    std::wstring path; // empty: the default sound
};

DWORD WINAPI play(void* parameter)
{
    const std::unique_ptr<SoundJob> job(static_cast<SoundJob*>(parameter));
    if (job->path.empty()) {
        job->output->playDefault();
    } else {
        job->output->playFile(job->path);
    }
    return 0;
}

// Handles what is posted or sent to this thread's windows, and their
// paints, but leaves the person's input (keys, mouse, also on a window's
// frame) for after the sound. A quit is put back for the message loop.
// False when a quit came.
bool handleMessagesButInput()
{
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0,
                        PM_REMOVE | PM_QS_POSTMESSAGE | PM_QS_PAINT | PM_QS_SENDMESSAGE) != 0) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return false;
        }
        DispatchMessageW(&message);
    }
    return true;
}

// True when `thread` ended within `wait`.
bool waitForSound(HANDLE thread, std::chrono::milliseconds wait)
{
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + wait;
    for (;;) {
        const auto left =
            std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0) {
            return WaitForSingleObject(thread, 0) == WAIT_OBJECT_0;
        }
        const DWORD woken =
            MsgWaitForMultipleObjects(1, &thread, FALSE, static_cast<DWORD>(left),
                                      QS_POSTMESSAGE | QS_TIMER | QS_PAINT | QS_SENDMESSAGE);
        if (woken == WAIT_OBJECT_0) {
            return true;
        }
        if (woken != WAIT_OBJECT_0 + 1 || !handleMessagesButInput()) {
            return WaitForSingleObject(thread, 0) == WAIT_OBJECT_0;
        }
    }
}

} // namespace

std::shared_ptr<SoundOutput> systemSoundOutput()
{
    return std::make_shared<SystemSoundOutput>();
}

WinSoundPlayer::WinSoundPlayer(std::shared_ptr<SoundOutput> output,
                               std::chrono::milliseconds longestWait)
    : m_output(std::move(output))
    , m_longestWait(longestWait)
{ }

void WinSoundPlayer::playSync(const std::wstring& path)
{
    const auto length = playableLength(path);
    auto job = std::make_unique<SoundJob>(SoundJob{m_output, length ? path : std::wstring()});
    HANDLE thread = CreateThread(nullptr, 0, play, job.get(), 0, nullptr);
    if (thread == nullptr) {
        return;
    }
    static_cast<void>(job.release());
    if (!waitForSound(thread,
                      soundWait(length.value_or(std::chrono::milliseconds(0)), m_longestWait))) {
        m_output->stop();
    }
    CloseHandle(thread);
}

} // namespace pollwick::win
