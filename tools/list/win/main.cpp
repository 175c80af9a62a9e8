// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// pollwick-list.exe: prints a Wombix server list, or waits for a server, from
// the command prompt.

#include "list/ListTool.h"
#include "list/win/WinEventLoop.h"
#include "platform/win/WideText.h"

#include <fcntl.h>
#include <io.h>
#include <iostream>
#include <string>
#include <vector>
#include <windows.h>

int wmain(int argc, wchar_t* argv[])
{
    // The arguments as UTF-8, as the tool takes them on every system.
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) {
        args.push_back(pollwick::win::toUtf8(argv[i]));
    }
    // A saved list is bytes: CR LF must reach the parser as it is, and the
    // output is UTF-8, which a console shows as such once told.
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    SetConsoleOutputCP(CP_UTF8);
    std::ios::sync_with_stdio(false);
    pollwick::listtool::WinEventLoop loop;
    return pollwick::listtool::runListTool(args, std::cin, std::cout, std::cerr, loop);
}
