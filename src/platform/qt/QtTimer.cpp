// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/qt/QtTimer.h"

namespace pollwick {

QtTimer::QtTimer(QObject* parent)
    : Timer(parent)
    , m_timer(new QTimer(this))
{
    // Coarse timers may fire up to 5 % early: a re-query every 5000 ms must
    // not come at 4750.
    m_timer->setTimerType(Qt::PreciseTimer);
    connect(m_timer, &QTimer::timeout, this, &Timer::ticked);
}

void QtTimer::setInterval(int milliseconds)
{
    m_interval = milliseconds > 0 ? milliseconds : 0;
    apply();
}

void QtTimer::setEnabled(bool enabled)
{
    m_enabled = enabled;
    apply();
}

void QtTimer::apply()
{
    // Setting an interval restarts the count, as the window's timers do.
    if (m_enabled && m_interval > 0) {
        m_timer->start(m_interval);
    } else {
        m_timer->stop();
    }
}

} // namespace pollwick
