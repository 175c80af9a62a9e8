// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// A stand-in for the game, for the launcher's test: it writes, in UTF-16,
// one line each, its arguments as CommandLineToArgvW reads them, its
// working folder and the window style it was asked for, to "launched.txt"
// in its working folder (first to another name, so that the test never
// reads half a file).

// clang-format off
// <shellapi.h> needs the types that <windows.h> defines: keep this order.
#include <windows.h>
#include <shellapi.h>
// clang-format on

#include <string>

int wmain()
{
    std::wstring record;
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    for (int i = 0; i < count; ++i) {
        record += arguments[i];
        record += L'\n';
    }
    LocalFree(arguments);
    wchar_t folder[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, folder);
    record += folder;
    record += L'\n';
    STARTUPINFOW startup{};
    GetStartupInfoW(&startup);
    const bool styled = (startup.dwFlags & STARTF_USESHOWWINDOW) != 0;
    record += std::to_wstring(styled ? startup.wShowWindow : -1);
    record += L'\n';

    HANDLE file = CreateFileW(L"launched.tmp", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return 1;
    }
    DWORD written = 0;
    WriteFile(file, record.data(), static_cast<DWORD>(record.size() * sizeof(wchar_t)), &written,
              nullptr);
    CloseHandle(file);
    return MoveFileExW(L"launched.tmp", L"launched.txt", MOVEFILE_REPLACE_EXISTING) != 0 ? 0 : 1;
}
