// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/layout/WindowLayout.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>
#include <windows.h>

namespace pollwick::win {

class Fonts;
class Scale;

// The controls of one window, made from its layout table: each with its
// class, place and size (in pixels for the DPI), caption, font, first
// state and tool tip. They are made in the order of their tab indexes with
// WS_TABSTOP where they take the focus, since Windows' dialog navigation
// (IsDialogMessage) follows the order in which the controls were made.
//
// A frame is a group box beside its controls, not their parent, so that
// their notifications reach the window. Windows does not disable what lies
// in a disabled group box: here each control keeps a flag of its own, and
// is usable only while it and its frame both are, so that a frame given
// back returns its controls as they were.
class LayoutControls final
{
public:
    // Control identifiers start at this number, in the order of the table.
    static constexpr int kFirstId = 100;

    LayoutControls(HWND parent, const layout::Window& window, const Scale& scale,
                   const Fonts& fonts);

    // The control of that name; nullptr when the table has none.
    [[nodiscard]] HWND operator[](std::string_view name) const;
    // The table row of the control with this identifier; nullptr for none.
    [[nodiscard]] const layout::Control* byId(int id) const;
    [[nodiscard]] HWND toolTip() const { return m_toolTip; }

    // Sets a control's own flag; for a frame, its controls follow it.
    void setEnabled(std::string_view name, bool enabled);
    // A control's own flag, whatever its frame's.
    [[nodiscard]] bool ownEnabled(std::string_view name) const;

    // Gives a control a new tool tip (the status line's whole text).
    void setToolTip(std::string_view name, const std::wstring& text) const;
    // Whether a control takes the focus with Tab.
    void setTabStop(std::string_view name, bool tabStop) const;

private:
    struct Entry {
        const layout::Control* control;
        HWND window;
        bool ownEnabled;
    };

    void create(std::size_t index, const Scale& scale, const Fonts& fonts);
    void addToolTip(const Entry& entry) const;
    void yieldOverlaps(const Scale& scale) const;
    void apply(const Entry& entry) const;
    [[nodiscard]] const Entry* entry(std::string_view name) const;
    [[nodiscard]] Entry* entry(std::string_view name);
    // Where a control stands in the window's client area, in pixels.
    [[nodiscard]] RECT placeOf(const layout::Control& control, const Scale& scale) const;

    HWND m_parent;
    const layout::Window& m_window;
    HWND m_toolTip;
    std::vector<Entry> m_entries; // in the order of the table
};

// The items of a drop-down of the main window; empty for any other control.
std::span<const std::string_view> itemsOf(std::string_view comboName);

} // namespace pollwick::win
