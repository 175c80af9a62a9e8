// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>

namespace pollwick {

// A timer as the window's logic uses it: giving it an interval in
// milliseconds starts it, an interval of 0 stops it, and a disabled timer
// does not tick whatever its interval. Ticks arrive on the user-interface
// thread, also while the window is disabled.
class Timer : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    virtual void setInterval(int milliseconds) = 0;
    [[nodiscard]] virtual int interval() const = 0;
    virtual void setEnabled(bool enabled) = 0;
    [[nodiscard]] virtual bool isEnabled() const = 0;

signals:
    void ticked();
};

} // namespace pollwick
