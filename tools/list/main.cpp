// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// pollwick-list: prints a Wombix server list, or waits for a server, from the
// terminal.

#include "list/ListTool.h"

#include <QCoreApplication>

#include <iostream>
#include <string>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

int main(int argc, char* argv[])
{
    // The arguments as bytes (UTF-8), before Qt sees them.
    std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
#ifdef _WIN32
    // A saved list is bytes; CR LF must reach the parser as it is.
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    std::ios::sync_with_stdio(false);
    const QCoreApplication app(argc, argv);
    return pollwick::listtool::runListTool(args, std::cin, std::cout, std::cerr);
}
