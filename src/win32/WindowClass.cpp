// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "win32/WindowClass.h"

namespace pollwick::win {

void registerWindowClass(const wchar_t* name, WNDPROC procedure, int iconResource,
                         HBRUSH background)
{
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExW(instance, name, &existing) != FALSE) {
        return;
    }
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = background;
    windowClass.lpszClassName = name;
    if (iconResource != 0) {
        windowClass.hIcon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(iconResource),
                                                          IMAGE_ICON, GetSystemMetrics(SM_CXICON),
                                                          GetSystemMetrics(SM_CYICON), 0));
        windowClass.hIconSm = static_cast<HICON>(
            LoadImageW(instance, MAKEINTRESOURCEW(iconResource), IMAGE_ICON,
                       GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
    }
    RegisterClassExW(&windowClass);
}

bool keepFocus(HWND window, HWND& lastFocus, WPARAM wParam)
{
    if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus != nullptr && IsChild(window, focus) != FALSE) {
            lastFocus = focus;
        }
        return true;
    }
    if (lastFocus == nullptr || IsWindowEnabled(lastFocus) == FALSE ||
        IsWindowVisible(lastFocus) == FALSE) {
        lastFocus = GetNextDlgTabItem(window, nullptr, FALSE);
    }
    if (lastFocus != nullptr) {
        SetFocus(lastFocus);
    }
    return true;
}

bool isTicked(HWND checkBox)
{
    return SendMessageW(checkBox, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

} // namespace pollwick::win
