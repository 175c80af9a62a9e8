// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/win/WinAttention.h"

#include "platform/win/WideText.h"

#include <cwchar>
#include <shellapi.h>

namespace pollwick::win {
namespace {

constexpr UINT kIconIdentifier = 1;
constexpr UINT kTrayMessage = WM_APP + 1;

template <std::size_t Capacity>
void copyFitted(wchar_t (&target)[Capacity], std::wstring_view text)
{
    const std::wstring fitted = fitText(text, Capacity);
    fitted.copy(target, fitted.size());
    target[fitted.size()] = L'\0';
}

// The window's small icon, as its title bar and task bar button show it.
// Windows hands the icon over as an integer.
// NOLINTBEGIN(performance-no-int-to-ptr)
HICON iconOf(HWND window)
{
    auto icon = reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, ICON_SMALL, 0));
    if (icon == nullptr) {
        icon = reinterpret_cast<HICON>(GetClassLongPtrW(window, GCLP_HICONSM));
    }
    if (icon == nullptr) {
        icon = reinterpret_cast<HICON>(GetClassLongPtrW(window, GCLP_HICON));
    }
    return icon != nullptr ? icon : LoadIconW(nullptr, IDI_APPLICATION);
}
// NOLINTEND(performance-no-int-to-ptr)

} // namespace

WinAttention::WinAttention()
    : m_window(*this)
{ }

WinAttention::~WinAttention()
{
    removeIcon();
}

void WinAttention::serverUp(HWND window, const std::wstring& title, const std::wstring& body)
{
    if (window != nullptr) {
        FLASHWINFO flash{};
        flash.cbSize = sizeof flash;
        flash.hwnd = window;
        flash.dwFlags = FLASHW_TRAY | FLASHW_TIMERNOFG;
        FlashWindowEx(&flash);
    }
    if (m_window.handle() == nullptr) {
        return;
    }
    m_shownFor = window;
    NOTIFYICONDATAW icon{};
    icon.cbSize = sizeof icon;
    icon.hWnd = m_window.handle();
    icon.uID = kIconIdentifier;
    icon.uFlags = NIF_ICON | NIF_TIP | NIF_MESSAGE;
    icon.uCallbackMessage = kTrayMessage;
    icon.hIcon = window != nullptr ? iconOf(window) : LoadIconW(nullptr, IDI_APPLICATION);
    wchar_t tip[128] = {};
    if (window != nullptr) {
        GetWindowTextW(window, tip, static_cast<int>(std::size(tip)));
    }
    copyFitted(icon.szTip, tip);
    if (!m_iconShown) {
        m_iconShown = Shell_NotifyIconW(NIM_ADD, &icon) != 0;
        if (!m_iconShown) {
            return; // no notification area (no shell running)
        }
        // The balloon's fate (closed, timed out, clicked) comes back in the
        // low word of the message's lParam.
        icon.uVersion = NOTIFYICON_VERSION_4;
        Shell_NotifyIconW(NIM_SETVERSION, &icon);
    }
    icon.uFlags |= NIF_INFO;
    copyFitted(icon.szInfoTitle, title);
    copyFitted(icon.szInfo, body);
    icon.dwInfoFlags = NIIF_INFO;
    Shell_NotifyIconW(NIM_MODIFY, &icon);
}

void WinAttention::removeIcon()
{
    if (!m_iconShown) {
        return;
    }
    NOTIFYICONDATAW icon{};
    icon.cbSize = sizeof icon;
    icon.hWnd = m_window.handle();
    icon.uID = kIconIdentifier;
    Shell_NotifyIconW(NIM_DELETE, &icon);
    m_iconShown = false;
}

std::optional<LRESULT> WinAttention::handleMessage(UINT message, WPARAM /*wParam*/, LPARAM lParam)
{
    if (message != kTrayMessage) {
        return std::nullopt;
    }
    // With NOTIFYICON_VERSION_4 the event is in the low word.
    switch (LOWORD(lParam)) {
    case NIN_BALLOONUSERCLICK:
        if (m_shownFor != nullptr && IsWindow(m_shownFor) != 0) {
            if (IsIconic(m_shownFor) != 0) {
                ShowWindow(m_shownFor, SW_RESTORE);
            }
            SetForegroundWindow(m_shownFor);
        }
        removeIcon();
        break;
    case NIN_BALLOONTIMEOUT:
    case NIN_BALLOONHIDE:
        removeIcon();
        break;
    default:
        break;
    }
    return 0;
}

} // namespace pollwick::win
