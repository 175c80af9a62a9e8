// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/settings/GamePaths.h"

#include <memory>
#include <string>
#include <string_view>
#include <windows.h>

namespace pollwick::win {

class Fonts;
class LayoutControls;
class Platform;
class Scale;

// The game paths dialog, "Please Select Wombix Files": the four path boxes,
// which are the program's working copy of the paths (a launch reads them
// as they stand), a "..." beside each, and Accept, which stores them.
//
// It is made hidden with the main window and kept until the program ends.
// It belongs to the main window, which keeps it out of the task bar; while
// it is up the main window is disabled, and Accept, or the close box, gives
// the main window back. The close box only hides it: the boxes keep what
// was typed.
class PathsDialog final
{
public:
    PathsDialog(Platform& platform, HWND mainWindow, const Scale& scale, const Fonts& fonts);
    ~PathsDialog();
    PathsDialog(const PathsDialog&) = delete;
    PathsDialog& operator=(const PathsDialog&) = delete;
    PathsDialog(PathsDialog&&) = delete;
    PathsDialog& operator=(PathsDialog&&) = delete;

    // The boxes take the stored paths (or those accepted but not kept).
    void reload();
    void show();
    [[nodiscard]] GamePaths workingCopy() const;
    // Why the store could not be read; empty when it could.
    [[nodiscard]] std::string unreadableMessage() const { return m_stored.unreadableMessage(); }

    [[nodiscard]] HWND handle() const { return m_window; }
    [[nodiscard]] HWND control(std::string_view name) const;
    [[nodiscard]] const LayoutControls& controls() const { return *m_controls; }

private:
    static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam);
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void clicked(int controlId);

    void browse(std::string_view box);
    void acceptPaths();
    void closeBox();
    void giveBackMainWindow();

    Platform& m_platform;
    HWND m_mainWindow;
    StoredGamePaths m_stored;
    HWND m_window = nullptr;
    HWND m_lastFocus = nullptr;
    std::unique_ptr<LayoutControls> m_controls;
    std::wstring m_lastFile; // the file dialog opens where the last choice was
};

} // namespace pollwick::win
