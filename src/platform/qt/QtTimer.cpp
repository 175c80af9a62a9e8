// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/qt/QtTimer.h"

#include <QTime>

#include <limits>

namespace pollwick {

QtTimer::QtTimer()
{
    // Coarse timers may fire up to 5 % early: a re-query every 5000 ms must
    // not come at 4750.
    m_timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [this] { tick(); });
}

void QtTimer::start(std::chrono::milliseconds interval)
{
    if (interval.count() < 1) {
        m_timer.stop();
        return;
    }
    // Starting a running timer starts its count again.
    m_timer.start(static_cast<int>(std::min<std::chrono::milliseconds::rep>(
        interval.count(), std::numeric_limits<int>::max())));
}

TimeOfDay QtClock::now() const
{
    const QTime time = QTime::currentTime();
    return {time.hour(), time.minute(), time.second()};
}

} // namespace pollwick
