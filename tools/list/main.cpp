// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// pollwick-list: prints a Wombix server list, or waits for a server, from the
// terminal.

#include "list/ListTool.h"
#include "list/QtEventLoop.h"

#include <QCoreApplication>

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char* argv[])
{
    // The arguments as bytes (UTF-8), before Qt sees them.
    std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    std::ios::sync_with_stdio(false);
    const QCoreApplication app(argc, argv);
    pollwick::listtool::QtEventLoop loop;
    return pollwick::listtool::runListTool(args, std::cin, std::cout, std::cerr, loop);
}
