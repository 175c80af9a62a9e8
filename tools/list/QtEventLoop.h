// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "list/ListTool.h"
#include "platform/qt/QtTimer.h"

#include <QEventLoop>

namespace pollwick::listtool {

// pollwick-list's event loop on Linux: Qt's, with the windows' own Qt
// ports. Needs a QCoreApplication.
class QtEventLoop final : public EventLoop
{
public:
    std::unique_ptr<ListConnection> createConnection() override;
    std::unique_ptr<Timer> createTimer() override;
    const Clock& clock() override { return m_clock; }
    void run() override;
    void quit() override;

private:
    QEventLoop m_loop;
    QtClock m_clock;
    bool m_quit = false;
};

} // namespace pollwick::listtool
