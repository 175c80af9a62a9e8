// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "win32/SplashWindow.h"

#include "core/Timer.h"
#include "core/layout/WindowLayout.h"
#include "platform/win/WinPlatform.h"
#include "win32/Metrics.h"
#include "win32/Resources.h"
#include "win32/WindowClass.h"

#include <chrono>
#include <utility>

namespace pollwick::win {
namespace {

constexpr const wchar_t* kClassName = L"PollwickSplash";
// The resizable frame alone: no caption, control menu or icon.
constexpr DWORD kStyle = WS_POPUP | WS_THICKFRAME;
constexpr DWORD kExStyle = 0;
constexpr std::chrono::milliseconds kShownFor{1500};

} // namespace

SplashWindow::SplashWindow(Platform& platform, const Scale& scale, std::function<void()> handedOver)
    : m_platform(platform)
    , m_handedOver(std::move(handedOver))
    , m_handOverTimer(platform.createTimer())
{
    registerWindowClass(kClassName, &SplashWindow::windowProcedure, 0,
                        static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    const layout::Window& layout = layout::kSplash;
    const SIZE size = outerSize(kStyle, kExStyle, scale.pixels(layout.clientWidth),
                                scale.pixels(layout.clientHeight));
    const POINT at = centredOnScreen(size);
    CreateWindowExW(kExStyle, kClassName, L"", kStyle, at.x, at.y, size.cx, size.cy, nullptr,
                    nullptr, GetModuleHandleW(nullptr), this);

    const layout::Control& picture = layout.controls.front();
    const RECT place = scale.rect(picture.left, picture.top, picture.width, picture.height);
    // SS_REALSIZECONTROL: the picture fills the control at any DPI. A
    // static without SS_NOTIFY lets the mouse through to the window.
    m_picture = CreateWindowExW(0, L"STATIC", nullptr,
                                WS_CHILD | WS_VISIBLE | SS_BITMAP | SS_REALSIZECONTROL, place.left,
                                place.top, place.right - place.left, place.bottom - place.top,
                                m_window, nullptr, GetModuleHandleW(nullptr), nullptr);
    m_bitmap = static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr),
                                               MAKEINTRESOURCEW(POLLWICK_SPLASH_PICTURE),
                                               IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
    SendMessageW(m_picture, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(m_bitmap));

    m_handOverTimer->onTick([this] { handOver(); });
    m_handOverTimer->start(kShownFor);
}

SplashWindow::~SplashWindow()
{
    if (m_window != nullptr) {
        DestroyWindow(m_window);
    }
    if (m_bitmap != nullptr) {
        DeleteObject(m_bitmap);
    }
}

void SplashWindow::show() const
{
    ShowWindow(m_window, SW_SHOW);
    UpdateWindow(m_window);
}

LRESULT CALLBACK SplashWindow::windowProcedure(HWND window, UINT message, WPARAM wParam,
                                               LPARAM lParam)
{
    return dispatchToOwner(window, message, wParam, lParam, &SplashWindow::m_window,
                           &SplashWindow::handleMessage);
}

LRESULT SplashWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        press(message);
        return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        release(message, lParam);
        return 0;
    case WM_CLOSE:
        // The only window on screen: closing it ends the program.
        m_platform.endProcess();
        return 0;
    default:
        break;
    }
    return DefWindowProcW(m_window, message, wParam, lParam);
}

void SplashWindow::press(UINT button)
{
    m_pressedButton = button;
    SetCapture(m_window);
}

void SplashWindow::release(UINT button, LPARAM where)
{
    // A click is a press and a release of the same button on the picture.
    const UINT pressed = m_pressedButton;
    m_pressedButton = 0;
    if (GetCapture() == m_window) {
        ReleaseCapture();
    }
    RECT client{};
    GetClientRect(m_window, &client);
    const POINT at{static_cast<short>(LOWORD(where)), static_cast<short>(HIWORD(where))};
    // Each button's up message comes right after its down message.
    if (pressed == button - 1 && PtInRect(&client, at) != FALSE) {
        handOver();
    }
}

void SplashWindow::handOver()
{
    // Stopping the timer first: a click cancels the tick to come, and the
    // hand-over runs once.
    if (!m_handOverTimer->isActive()) {
        return;
    }
    m_handOverTimer->stop();
    ShowWindow(m_window, SW_HIDE);
    m_handedOver();
}

} // namespace pollwick::win
