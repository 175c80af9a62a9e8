// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>
#include <memory>
#include <windows.h>

namespace pollwick {
class Timer;
}

namespace pollwick::win {

class Platform;
class Scale;

// The splash: the program's picture, 250 x 250 at 96 DPI, on black, in a
// thin resizable frame without caption, centred on the screen. It hands
// over to the main window 1500 ms after it was made, or at the first click
// (a button pressed and released on it), whichever comes first, and is
// then hidden for good.
class SplashWindow final
{
public:
    SplashWindow(Platform& platform, const Scale& scale, std::function<void()> handedOver);
    ~SplashWindow();
    SplashWindow(const SplashWindow&) = delete;
    SplashWindow& operator=(const SplashWindow&) = delete;
    SplashWindow(SplashWindow&&) = delete;
    SplashWindow& operator=(SplashWindow&&) = delete;

    void show() const;

    [[nodiscard]] HWND handle() const { return m_window; }
    [[nodiscard]] HWND picture() const { return m_picture; }

private:
    static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam);
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void press(UINT button);
    void release(UINT button, LPARAM where);
    void handOver();

    Platform& m_platform;
    std::function<void()> m_handedOver;
    std::unique_ptr<Timer> m_handOverTimer;
    HWND m_window = nullptr;
    HWND m_picture = nullptr;
    HBITMAP m_bitmap = nullptr;
    UINT m_pressedButton = 0; // the button pressed on the picture, 0 for none
};

} // namespace pollwick::win
