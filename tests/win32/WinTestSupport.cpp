// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "WinTestSupport.h"

#include <gtest/gtest.h>

#include <commctrl.h>

namespace pollwick::test {

void setUpWindows()
{
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES;
    InitCommonControlsEx(&controls);
}

bool isUsable(HWND control)
{
    return IsWindowEnabled(control) != FALSE &&
        IsWindowEnabled(GetAncestor(control, GA_ROOT)) != FALSE;
}

void click(HWND control)
{
    ASSERT_NE(control, nullptr);
    ASSERT_TRUE(isUsable(control)) << "a person could not click this control";
    SendMessageW(control, BM_CLICK, 0, 0);
}

void typeText(HWND box, const std::wstring& text)
{
    SendMessageW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void clickAt(HWND window, int x, int y)
{
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

RECT placeIn(HWND control, HWND window)
{
    RECT place{};
    GetWindowRect(control, &place);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&place), 2);
    return place;
}

SIZE clientSize(HWND window)
{
    RECT client{};
    GetClientRect(window, &client);
    return SIZE{client.right, client.bottom};
}

std::wstring toolTipText(HWND toolTip, HWND owner, UINT_PTR id)
{
    wchar_t text[1024] = {};
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = owner;
    tool.uId = id;
    if (SendMessageW(toolTip, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&tool)) == 0) {
        return {};
    }
    tool.lpszText = text;
    SendMessageW(toolTip, TTM_GETTEXTW, sizeof text / sizeof text[0],
                 reinterpret_cast<LPARAM>(&tool));
    return text;
}

int listRows(HWND listView)
{
    return static_cast<int>(SendMessageW(listView, LVM_GETITEMCOUNT, 0, 0));
}

std::wstring listCell(HWND listView, int row, int column)
{
    wchar_t text[512] = {};
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = sizeof text / sizeof text[0];
    SendMessageW(listView, LVM_GETITEMTEXTW, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(&item));
    return text;
}

} // namespace pollwick::test
