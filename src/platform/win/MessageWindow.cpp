// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/win/MessageWindow.h"

namespace pollwick::win {
namespace {

constexpr const wchar_t* kClassName = L"PollwickMessageWindow";

// Windows hands pointers through integers here: the creation parameters in
// lParam, the handler in the window's user data.
// NOLINTBEGIN(performance-no-int-to-ptr)
LRESULT CALLBACK messageWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        const auto* creation = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
    }
    auto* handler =
        reinterpret_cast<MessageWindow::Handler*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (handler != nullptr && message != WM_NCCREATE && message != WM_NCDESTROY) {
        if (const auto result = handler->handleMessage(message, wParam, lParam)) {
            return *result;
        }
    }
    return DefWindowProcW(window, message, wParam, lParam);
}
// NOLINTEND(performance-no-int-to-ptr)

// One class for every message window of the program, registered by the
// first one.
bool registerClass(HINSTANCE instance)
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = messageWindowProcedure;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kClassName;
    return RegisterClassExW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

} // namespace

MessageWindow::MessageWindow(Handler& handler)
{
    HINSTANCE instance = GetModuleHandleW(nullptr);
    static const bool kClassRegistered = registerClass(instance);
    if (kClassRegistered) {
        m_window = CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                   instance, &handler);
    }
}

MessageWindow::~MessageWindow()
{
    if (m_window != nullptr) {
        // Nothing reaches the handler any more, also from messages still
        // queued for the window: they go with it.
        SetWindowLongPtrW(m_window, GWLP_USERDATA, 0);
        DestroyWindow(m_window);
    }
}

} // namespace pollwick::win
