// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Every control of the three windows, the splash picture included, stands
// where the layout tables put it, with their caption, tool tip, font, tab
// order and first state; and a frame disables what lies in it.

#include "FakeWinPlatform.h"
#include "WinTestSupport.h"
#include "core/layout/WindowLayout.h"
#include "win32/LayoutControls.h"
#include "win32/MainWindow.h"
#include "win32/Metrics.h"
#include "win32/PathsDialog.h"
#include "win32/ProgramWindows.h"
#include "win32/SplashWindow.h"
#include "win32/WideText.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace pollwick::test {
namespace {

using layout::Kind;
using win::toWide;

LOGFONTW fontOf(HWND control)
{
    LOGFONTW font{};
    auto* handle = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    GetObjectW(handle, sizeof font, &font);
    return font;
}

void expectFont(HWND control, layout::Font font)
{
    const LOGFONTW shown = fontOf(control);
    switch (font) {
    case layout::Font::Arial:
    case layout::Font::ArialBold:
        EXPECT_STREQ(shown.lfFaceName, L"Arial");
        EXPECT_EQ(shown.lfHeight, -11); // 8.25 pt at 96 DPI
        EXPECT_EQ(shown.lfWeight, font == layout::Font::ArialBold ? FW_BOLD : FW_NORMAL);
        return;
    case layout::Font::Tahoma9:
        EXPECT_STREQ(shown.lfFaceName, L"Tahoma");
        EXPECT_EQ(shown.lfHeight, -12);
        EXPECT_EQ(shown.lfWeight, FW_NORMAL);
        return;
    case layout::Font::WindowFont: {
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof metrics;
        SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
        EXPECT_STREQ(shown.lfFaceName, metrics.lfMessageFont.lfFaceName);
        EXPECT_EQ(shown.lfHeight, metrics.lfMessageFont.lfHeight);
        return;
    }
    }
}

// The texts that the window's load puts in place of the table's: the
// status line's words and the stored paths.
bool filledAtLoad(const layout::Window& window, const layout::Control& control)
{
    return control.name == "statusLabel" ||
        (&window == &layout::kPathsDialog && control.kind == Kind::TextBox);
}

// The window's client area and the control's place in it, at 96 DPI.
void expectPlace(const layout::Window& table, HWND window, const layout::Control& control,
                 HWND made)
{
    EXPECT_EQ(clientSize(window).cx, layout::pixels(table.clientWidth));
    EXPECT_EQ(clientSize(window).cy, layout::pixels(table.clientHeight));
    int left = control.left;
    int top = control.top;
    if (const layout::Control* frame = layout::find(table, control.frame)) {
        left += frame->left;
        top += frame->top;
    }
    const RECT place = placeIn(made, window);
    EXPECT_EQ(place.left, layout::pixels(left));
    EXPECT_EQ(place.top, layout::pixels(top));
    EXPECT_EQ(place.right - place.left, layout::pixels(control.width));
    EXPECT_EQ(place.bottom - place.top, layout::pixels(control.height));
}

void expectLayout(const layout::Window& table, HWND window, const win::LayoutControls& controls)
{
    SCOPED_TRACE(std::string(table.name));
    EXPECT_EQ(win::windowText(window), toWide(table.caption));

    std::map<HWND, int> tabOf;
    for (const layout::Control& control : table.controls) {
        SCOPED_TRACE(std::string(control.name));
        HWND made = controls[control.name];
        ASSERT_NE(made, nullptr);
        tabOf[made] = control.tab;
        expectPlace(table, window, control, made);

        if (!filledAtLoad(table, control) && control.kind != Kind::ListView) {
            EXPECT_EQ(win::windowText(made), toWide(control.caption));
        }
        if (control.name != "statusLabel") {
            const UINT_PTR tool = control.kind == Kind::Frame
                ? static_cast<UINT_PTR>(GetDlgCtrlID(made))
                : reinterpret_cast<UINT_PTR>(made);
            EXPECT_EQ(toolTipText(controls.toolTip(), window, tool), toWide(control.toolTip));
        }
        expectFont(made, control.font);
        EXPECT_EQ(controls.ownEnabled(control.name), control.enabled);
        // Every control that takes the focus is a tab stop; the list only
        // while "Show List" shows it.
        const bool tabStop = (GetWindowLongPtrW(made, GWL_STYLE) & WS_TABSTOP) != 0;
        EXPECT_EQ(tabStop,
                  control.kind != Kind::Frame && control.kind != Kind::Label &&
                      control.kind != Kind::ListView);

        if (control.kind == Kind::ComboBox) {
            const auto items = win::itemsOf(control.name);
            ASSERT_EQ(SendMessageW(made, CB_GETCOUNT, 0, 0), static_cast<LRESULT>(items.size()));
            for (std::size_t i = 0; i < items.size(); ++i) {
                wchar_t item[64] = {};
                SendMessageW(made, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item));
                EXPECT_EQ(std::wstring(item), toWide(items[i]));
            }
            EXPECT_EQ(SendMessageW(made, CB_GETCURSEL, 0, 0), CB_ERR);
        }
    }

    // Windows moves the focus in the order the controls were made.
    int lastTab = -1;
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        const auto found = tabOf.find(child);
        if (found == tabOf.end()) {
            continue;
        }
        EXPECT_GT(found->second, lastTab);
        lastTab = found->second;
    }
}

TEST(LayoutTable, EveryControlOfTheThreeWindowsStandsAsTheTableSays)
{
    setUpWindows();
    FakeWinPlatform platform;
    win::ProgramWindows windows(platform, win::Scale(96));
    const win::SplashWindow& splash = windows.splash();
    {
        SCOPED_TRACE("splash");
        expectPlace(layout::kSplash, splash.handle(), layout::kSplash.controls.front(),
                    splash.picture());
        EXPECT_NE(SendMessageW(splash.picture(), STM_GETIMAGE, IMAGE_BITMAP, 0), 0);
        const auto style = static_cast<DWORD>(GetWindowLongPtrW(splash.handle(), GWL_STYLE));
        EXPECT_EQ(style & WS_CAPTION, 0U);
        EXPECT_NE(style & WS_THICKFRAME, 0U);
    }

    clickAt(windows.splash().handle(), 10, 10);
    win::MainWindow& main = *windows.mainWindow();
    expectLayout(layout::kMainWindow, main.handle(), main.controls());
    const auto mainStyle = static_cast<DWORD>(GetWindowLongPtrW(main.handle(), GWL_STYLE));
    EXPECT_NE(mainStyle & WS_MINIMIZEBOX, 0U);
    EXPECT_EQ(mainStyle & (WS_MAXIMIZEBOX | WS_THICKFRAME), 0U);

    win::PathsDialog& paths = main.pathsDialog();
    expectLayout(layout::kPathsDialog, paths.handle(), paths.controls());
    const auto pathsStyle = static_cast<DWORD>(GetWindowLongPtrW(paths.handle(), GWL_STYLE));
    EXPECT_EQ(pathsStyle & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME), 0U);
    // Owned by the main window: not in the task bar.
    EXPECT_EQ(GetWindow(paths.handle(), GW_OWNER), main.handle());
}

TEST(LayoutControls, AFrameMakesItsControlsUnusableAndGivesThemBackAsTheyWere)
{
    setUpWindows();
    HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPED, 0, 0, 300, 400, nullptr,
                                  nullptr, GetModuleHandleW(nullptr), nullptr);
    const win::Scale scale(96);
    const win::Fonts fonts(scale);
    win::LayoutControls controls(parent, layout::kMainWindow, scale, fonts);

    // The criteria frame starts disabled; its check boxes are enabled, but
    // cannot be used in it, and its fields are disabled.
    EXPECT_TRUE(controls.ownEnabled("versionCheck"));
    EXPECT_FALSE(IsWindowEnabled(controls["versionCheck"]));
    controls.setEnabled("criteriaGroup", true);
    EXPECT_NE(IsWindowEnabled(controls["versionCheck"]), FALSE);
    EXPECT_FALSE(IsWindowEnabled(controls["versionCombo"]));

    controls.setEnabled("nameEdit", true);
    controls.setEnabled("criteriaGroup", false);
    EXPECT_FALSE(IsWindowEnabled(controls["nameEdit"]));
    EXPECT_TRUE(controls.ownEnabled("nameEdit"));
    controls.setEnabled("criteriaGroup", true);
    EXPECT_NE(IsWindowEnabled(controls["nameEdit"]), FALSE);
    EXPECT_FALSE(IsWindowEnabled(controls["versionCombo"]));
    DestroyWindow(parent);
}

} // namespace
} // namespace pollwick::test
