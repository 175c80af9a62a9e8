// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>
#include <windows.h>

namespace pollwick::win {

// A window that only receives messages (HWND_MESSAGE): never shown, never
// disabled, on the thread that makes it. Sockets (WSAAsyncSelect), timers
// (SetTimer), the notification area and worker threads post to it, so that
// whatever they report arrives one message at a time on the window's
// message loop, also inside modal loops (dialogs, message boxes).
class MessageWindow final
{
public:
    // What the window's messages go to.
    class Handler
    {
    public:
        // A result when the message was handled; nothing leaves it to
        // DefWindowProcW. The handler may destroy the MessageWindow (and
        // itself) while it runs, as long as it touches nothing afterwards.
        virtual std::optional<LRESULT> handleMessage(UINT message, WPARAM wParam,
                                                     LPARAM lParam) = 0;

    protected:
        ~Handler() = default;
    };

    explicit MessageWindow(Handler& handler);
    ~MessageWindow();
    MessageWindow(const MessageWindow&) = delete;
    MessageWindow& operator=(const MessageWindow&) = delete;
    MessageWindow(MessageWindow&&) = delete;
    MessageWindow& operator=(MessageWindow&&) = delete;

    // Null only when Windows could not make the window.
    [[nodiscard]] HWND handle() const { return m_window; }

private:
    HWND m_window = nullptr;
};

} // namespace pollwick::win
