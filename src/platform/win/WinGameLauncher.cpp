// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/win/WinGameLauncher.h"

#include <vector>

namespace pollwick::win {

std::wstring quotedArgument(std::wstring_view argument)
{
    if (!argument.empty() && argument.find_first_of(L" \t\n\v\"") == std::wstring_view::npos) {
        return std::wstring(argument);
    }
    // Inside quotes, backslashes are plain except before a quotation mark:
    // there each is doubled, and the mark itself escaped.
    std::wstring quoted = L"\"";
    std::size_t backslashes = 0;
    for (const wchar_t character : argument) {
        if (character == L'\\') {
            ++backslashes;
            continue;
        }
        if (character == L'"') {
            quoted.append(backslashes * 2 + 1, L'\\');
        } else {
            quoted.append(backslashes, L'\\');
        }
        backslashes = 0;
        quoted.push_back(character);
    }
    // Before the closing quotation mark, too.
    quoted.append(backslashes * 2, L'\\');
    quoted.push_back(L'"');
    return quoted;
}

std::optional<std::wstring> gameCommandLine(std::wstring_view program,
                                            std::wstring_view connectAddress)
{
    // The first argument is read up to the next quotation mark, backslashes
    // and all.
    if (program.empty() || program.find(L'"') != std::wstring_view::npos) {
        return std::nullopt;
    }
    return L"\"" + std::wstring(program) + L"\" -connect " + quotedArgument(connectAddress);
}

bool WinGameLauncher::start(const std::wstring& program, const std::wstring& connectAddress)
{
    const auto commandLine = gameCommandLine(program, connectAddress);
    if (!commandLine) {
        return false;
    }
    // The folder of the program's full path; for a program at the top of a
    // drive it keeps its backslash ("C:\").
    const DWORD needed = GetFullPathNameW(program.c_str(), 0, nullptr, nullptr);
    if (needed == 0) {
        return false;
    }
    std::vector<wchar_t> fullPath(needed, L'\0');
    wchar_t* fileName = nullptr;
    if (GetFullPathNameW(program.c_str(), needed, fullPath.data(), &fileName) == 0 ||
        fileName == nullptr) {
        return false;
    }
    std::wstring folder(fullPath.data(), fileName);
    if (folder.size() > 1 && (folder.back() == L'\\' || folder.back() == L'/') &&
        folder[folder.size() - 2] != L':') {
        folder.pop_back();
    }

    // CreateProcessW may write into the command line.
    std::vector<wchar_t> line(commandLine->begin(), commandLine->end());
    line.push_back(L'\0');
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    if (CreateProcessW(fullPath.data(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                       folder.c_str(), &startup, &process) == 0) {
        return false;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

} // namespace pollwick::win
