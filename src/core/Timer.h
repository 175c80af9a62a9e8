// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <chrono>
#include <functional>
#include <utility>

namespace pollwick {

// A repeating timer on the user-interface thread's event loop: the port
// through which the core and the windows wait. Each platform implements it
// on its own loop (a QTimer, SetTimer); tests tick it by hand.
//
// Ticks arrive also while a window is disabled, never from inside start()
// or stop(), and never after stop().
class Timer
{
public:
    virtual ~Timer() = default;
    Timer() = default;
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;
    Timer(Timer&&) = delete;
    Timer& operator=(Timer&&) = delete;

    // What a tick runs; set once, by the timer's owner.
    void onTick(std::function<void()> handler) { m_handler = std::move(handler); }

    // Ticks every `interval` from now on; a running timer starts counting
    // again. An interval below 1 ms stops it.
    virtual void start(std::chrono::milliseconds interval) = 0;
    virtual void stop() = 0;
    [[nodiscard]] virtual bool isActive() const = 0;

protected:
    // For the implementations: one tick, delivered to the handler.
    void tick() const
    {
        if (m_handler) {
            m_handler();
        }
    }

private:
    std::function<void()> m_handler;
};

} // namespace pollwick
