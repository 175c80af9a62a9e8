// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/Timer.h"

#include <QTimer>

namespace pollwick {

class QtTimer final : public Timer
{
    Q_OBJECT

public:
    explicit QtTimer(QObject* parent = nullptr);

    void setInterval(int milliseconds) override;
    [[nodiscard]] int interval() const override { return m_interval; }
    void setEnabled(bool enabled) override;
    [[nodiscard]] bool isEnabled() const override { return m_enabled; }

private:
    void apply();

    QTimer* m_timer; // a child: it goes with this timer
    int m_interval = 0;
    bool m_enabled = true;
};

} // namespace pollwick
