// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/win/WinGameLauncher.h"

#include "MessagePump.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <shellapi.h>
#include <string>
#include <vector>

namespace pollwick::win {
namespace {

// The address is one argument whatever it holds, though the core lets
// through only an address without spaces or quotes.
TEST(GameCommandLine, ReadsBackAsTheProgramAndTwoArguments)
{
    const std::wstring programs[] = {
        L"C:\\Games\\Wombix\\wombix.exe",
        L"C:\\Program Files\\Wombix 1.24\\wombix.exe",
        L"C:\\Trailing\\backslash folder\\",
    };
    const std::wstring addresses[] = {
        L"10.0.0.5:10057",  L"two words",      L"",          L"say \"hi\"",
        L"ends in two\\\\", L"\\\"both\\\\\"", L"tab\there",
    };
    for (const auto& program : programs) {
        for (const auto& address : addresses) {
            const auto line = gameCommandLine(program, address);
            ASSERT_TRUE(line.has_value());
            int count = 0;
            wchar_t** read = CommandLineToArgvW(line->c_str(), &count);
            EXPECT_EQ(std::vector<std::wstring>(read, read + count),
                      (std::vector<std::wstring>{program, L"-connect", address}))
                << *line;
            LocalFree(read);
        }
    }
    // No quoting carries these.
    EXPECT_FALSE(gameCommandLine(L"", L"10.0.0.5").has_value());
    EXPECT_FALSE(gameCommandLine(L"C:\\a\"b.exe", L"10.0.0.5").has_value());
}

// The game, a recording stand-in under a path with spaces, starts in its
// own folder with exactly its two arguments and a normal window.
TEST(WinGameLauncher, StartsTheGameInItsFolder)
{
    wchar_t temporary[MAX_PATH] = {};
    ASSERT_NE(GetTempPathW(MAX_PATH, temporary), 0U);
    const std::wstring folder = std::wstring(temporary) + L"pollwick launch " +
        std::to_wstring(GetCurrentProcessId()) + L" \u00E9";
    const std::wstring program = folder + L"\\wombix game.exe";
    const std::wstring record = folder + L"\\launched.txt";
    wchar_t self[MAX_PATH] = {};
    ASSERT_NE(GetModuleFileNameW(nullptr, self, MAX_PATH), 0U);
    std::wstring recorder(self);
    recorder.replace(recorder.rfind(L'\\') + 1, std::wstring::npos, L"launch_recorder.exe");
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr) != 0 ||
                GetLastError() == ERROR_ALREADY_EXISTS);
    ASSERT_NE(CopyFileW(recorder.c_str(), program.c_str(), FALSE), 0);

    // The quoting of the address is the command line's, tested above.
    const std::wstring address = L"evil\" -x \"y\\";
    WinGameLauncher launcher;
    ASSERT_TRUE(launcher.start(program, address));
    ASSERT_TRUE(test::pumpUntil(
        [&] { return GetFileAttributesW(record.c_str()) != INVALID_FILE_ATTRIBUTES; }));
    std::ifstream in(record.c_str(), std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), {});
    in.close();
    std::wstring text(bytes.size() / sizeof(wchar_t), L'\0');
    bytes.copy(reinterpret_cast<char*>(text.data()), text.size() * sizeof(wchar_t));
    // Arguments, working folder and window style, a line each.
    EXPECT_EQ(text,
              program + L"\n-connect\n" + address + L"\n" + folder + L"\n" +
                  std::to_wstring(SW_SHOWNORMAL) + L"\n");
    DeleteFileW(record.c_str());
    // Once the stand-in has ended.
    EXPECT_TRUE(test::pumpUntil([&] { return DeleteFileW(program.c_str()) != 0; }));
    RemoveDirectoryW(folder.c_str());
}

TEST(WinGameLauncher, NothingToStartIsFalse)
{
    wchar_t temporary[MAX_PATH] = {};
    ASSERT_NE(GetTempPathW(MAX_PATH, temporary), 0U);
    WinGameLauncher launcher;
    const std::wstring programs[] = {L"C:\\no such folder\\wombix.exe", L"", temporary};
    for (const auto& program : programs) {
        EXPECT_FALSE(launcher.start(program, L"10.0.0.5")) << program;
    }
}

} // namespace
} // namespace pollwick::win
