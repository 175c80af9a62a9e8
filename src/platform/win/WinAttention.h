// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/win/MessageWindow.h"
#include "platform/win/WinPlatform.h"

namespace pollwick::win {

// FlashWindowEx marks the window's task bar button until the window comes
// to the front; a notification-area icon of the program's shows the
// balloon (Shell_NotifyIconW, NIF_INFO), with the window's own small icon.
// The icon goes away when the balloon is closed or times out, and at the
// latest when this object goes (or removeIcon() is called). A click on the
// balloon brings the window to the front.
class WinAttention final : public Attention, private MessageWindow::Handler
{
public:
    WinAttention();
    ~WinAttention() override;
    WinAttention(const WinAttention&) = delete;
    WinAttention& operator=(const WinAttention&) = delete;
    WinAttention(WinAttention&&) = delete;
    WinAttention& operator=(WinAttention&&) = delete;

    void serverUp(HWND window, const std::wstring& title, const std::wstring& body) override;
    // Takes the icon out of the notification area now.
    void removeIcon();

private:
    std::optional<LRESULT> handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    // The window that the notification area reports the balloon's fate to.
    MessageWindow m_window;
    bool m_iconShown = false;
    HWND m_shownFor = nullptr;
};

} // namespace pollwick::win
