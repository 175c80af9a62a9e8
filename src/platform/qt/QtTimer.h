// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/Clock.h"
#include "core/Timer.h"

#include <QTimer>

namespace pollwick {

// The core's timer on Qt's event loop.
class QtTimer final : public Timer
{
public:
    QtTimer();

    void start(std::chrono::milliseconds interval) override;
    void stop() override { m_timer.stop(); }
    [[nodiscard]] bool isActive() const override { return m_timer.isActive(); }

private:
    QTimer m_timer;
};

// The time of day from the system's clock.
class QtClock final : public Clock
{
public:
    [[nodiscard]] TimeOfDay now() const override;
};

} // namespace pollwick
