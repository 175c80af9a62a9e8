// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "list/QtEventLoop.h"

#include "platform/qt/QtListConnection.h"

namespace pollwick::listtool {

std::unique_ptr<ListConnection> QtEventLoop::createConnection()
{
    return std::make_unique<QtListConnection>();
}

std::unique_ptr<Timer> QtEventLoop::createTimer()
{
    return std::make_unique<QtTimer>();
}

void QtEventLoop::run()
{
    // A quit that came before the loop ran (a connection that failed at
    // once) would otherwise be lost.
    if (!m_quit) {
        m_loop.exec();
    }
    m_quit = false;
}

void QtEventLoop::quit()
{
    m_quit = true;
    m_loop.quit();
}

} // namespace pollwick::listtool
