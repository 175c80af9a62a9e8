// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "win32/PathsDialog.h"

#include "core/Texts.h"
#include "core/layout/WindowLayout.h"
#include "platform/win/WinPlatform.h"
#include "win32/LayoutControls.h"
#include "win32/Metrics.h"
#include "win32/Resources.h"
#include "win32/WideText.h"
#include "win32/WindowClass.h"

namespace pollwick::win {
namespace {

constexpr const wchar_t* kClassName = L"PollwickPathsDialog";
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kExStyle = 0;

// Which box each "..." fills.
struct BrowseButton {
    std::string_view button;
    std::string_view box;
};
constexpr BrowseButton kBrowseButtons[] = {
    {"normalButton", "normalEdit"},
    {"corvaneButton", "corvaneEdit"},
    {"ambrelButton", "ambrelEdit"},
    {"pelloryButton", "pelloryEdit"},
};

} // namespace

PathsDialog::PathsDialog(Platform& platform, HWND mainWindow, const Scale& scale,
                         const Fonts& fonts)
    : m_platform(platform)
    , m_mainWindow(mainWindow)
    , m_stored(platform.settings())
{
    registerWindowClass(kClassName, &PathsDialog::windowProcedure, POLLWICK_PATHS_ICON,
                        GetSysColorBrush(COLOR_BTNFACE));
    const layout::Window& layout = layout::kPathsDialog;
    const SIZE size = outerSize(kStyle, kExStyle, scale.pixels(layout.clientWidth),
                                scale.pixels(layout.clientHeight));
    const POINT at = centredOnScreen(size);
    const std::wstring caption = toWide(layout.caption);
    // Owned by the main window: above it, and not in the task bar.
    CreateWindowExW(kExStyle, kClassName, caption.c_str(), kStyle, at.x, at.y, size.cx, size.cy,
                    mainWindow, nullptr, GetModuleHandleW(nullptr), this);
    m_controls = std::make_unique<LayoutControls>(m_window, layout, scale, fonts);
}

PathsDialog::~PathsDialog()
{
    if (m_window != nullptr) {
        DestroyWindow(m_window);
    }
}

HWND PathsDialog::control(std::string_view name) const
{
    return (*m_controls)[name];
}

void PathsDialog::reload()
{
    const GamePaths paths = m_stored.load();
    setWindowText(control("normalEdit"), toWide(paths.normal));
    setWindowText(control("ambrelEdit"), toWide(paths.ambrel));
    setWindowText(control("corvaneEdit"), toWide(paths.corvane));
    setWindowText(control("pelloryEdit"), toWide(paths.pellory));
}

void PathsDialog::show()
{
    ShowWindow(m_window, SW_SHOW);
    SetForegroundWindow(m_window);
}

GamePaths PathsDialog::workingCopy() const
{
    return GamePaths{
        toUtf8(windowText(control("normalEdit"))), toUtf8(windowText(control("ambrelEdit"))),
        toUtf8(windowText(control("corvaneEdit"))), toUtf8(windowText(control("pelloryEdit")))};
}

LRESULT CALLBACK PathsDialog::windowProcedure(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam)
{
    return dispatchToOwner(window, message, wParam, lParam, &PathsDialog::m_window,
                           &PathsDialog::handleMessage);
}

LRESULT PathsDialog::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED && lParam != 0) {
            clicked(LOWORD(wParam));
            return 0;
        }
        break;
    case WM_ACTIVATE:
        keepFocus(m_window, m_lastFocus, wParam);
        return 0;
    case WM_CLOSE:
        closeBox();
        return 0;
    default:
        break;
    }
    return DefWindowProcW(m_window, message, wParam, lParam);
}

void PathsDialog::clicked(int controlId)
{
    const layout::Control* control = m_controls->byId(controlId);
    if (control == nullptr) {
        return;
    }
    if (control->name == "acceptButton") {
        acceptPaths();
        return;
    }
    for (const BrowseButton& button : kBrowseButtons) {
        if (control->name == button.button) {
            browse(button.box);
            return;
        }
    }
}

void PathsDialog::browse(std::string_view box)
{
    const std::optional<std::wstring> chosen =
        m_platform.fileDialog().openFile(m_window, texts::kGameExecutable, m_lastFile);
    if (!chosen) {
        return;
    }
    m_lastFile = *chosen;
    setWindowText(control(box), *chosen);
}

void PathsDialog::acceptPaths()
{
    const bool kept = m_stored.accept(workingCopy());
    EnableWindow(m_mainWindow, TRUE);
    // Paths that the store could not keep stay in the boxes: reloading
    // gives them back until the store takes them.
    reload();
    if (!kept) {
        m_platform.messageBox().show(m_window, toWide(m_stored.notSavedMessage()),
                                     toWide(texts::kProgramTitle));
    }
    giveBackMainWindow();
}

void PathsDialog::closeBox()
{
    // Closing is a cancel: what the boxes hold stays, and the main window
    // comes back.
    EnableWindow(m_mainWindow, TRUE);
    giveBackMainWindow();
}

void PathsDialog::giveBackMainWindow()
{
    ShowWindow(m_window, SW_HIDE);
    SetForegroundWindow(m_mainWindow);
    SetActiveWindow(m_mainWindow);
}

} // namespace pollwick::win
