// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Driving the windows as a person would, with messages, and reading back
// what the controls show.

#include <string>
#include <windows.h>

namespace pollwick::test {

// Common controls 6 and the program's classes, once per process.
void setUpWindows();

// Clicks a button or check box (BM_CLICK). The test fails when a person
// could not click it: the control or its window is disabled.
void click(HWND control);
// Types a text into a box, replacing what it held.
void typeText(HWND box, const std::wstring& text);
// A press and a release of the left button at (x, y) of the client area.
void clickAt(HWND window, int x, int y);

[[nodiscard]] bool isUsable(HWND control);
// The control's place in its window's client area, in pixels.
[[nodiscard]] RECT placeIn(HWND control, HWND window);
[[nodiscard]] SIZE clientSize(HWND window);
// The tool tip that `toolTip` shows for a control (or, for a place of the
// window, for the tool `id`); empty for none.
[[nodiscard]] std::wstring toolTipText(HWND toolTip, HWND owner, UINT_PTR id);
[[nodiscard]] int listRows(HWND listView);
[[nodiscard]] std::wstring listCell(HWND listView, int row, int column);

} // namespace pollwick::test
