// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <windows.h>

namespace pollwick::win {

// Registers a window class once per process: its one window procedure,
// icon and background.
void registerWindowClass(const wchar_t* name, WNDPROC procedure, int iconResource,
                         HBRUSH background);

// The object behind a window of one of the program's classes: handed to
// CreateWindowExW as its last argument and kept with the window from
// WM_NCCREATE to WM_NCDESTROY.
template <class Owner>
Owner* ownerOf(HWND window, UINT message, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* owner = static_cast<Owner*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner));
        return owner;
    }
    auto* owner = reinterpret_cast<Owner*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    }
    return owner;
}

// The work of the window procedure of one of the program's classes: the
// object behind the window keeps the window's handle in `handle` from
// WM_NCCREATE to WM_NCDESTROY and gets every message in `handler`; a
// message before WM_NCCREATE goes to the default procedure.
template <class Owner>
LRESULT dispatchToOwner(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                        HWND Owner::*handle, LRESULT (Owner::*handler)(UINT, WPARAM, LPARAM))
{
    Owner* owner = ownerOf<Owner>(window, message, lParam);
    if (owner == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    if (message == WM_NCCREATE) {
        owner->*handle = window;
    }
    if (message == WM_NCDESTROY) {
        owner->*handle = nullptr;
    }
    return (owner->*handler)(message, wParam, lParam);
}

// Keeps the keyboard focus of a window with controls across its
// deactivation: WM_ACTIVATE. Returns true when the message was handled.
bool keepFocus(HWND window, HWND& lastFocus, WPARAM wParam);

// Whether a check box is ticked: its value is exactly 1.
bool isTicked(HWND checkBox);

} // namespace pollwick::win
