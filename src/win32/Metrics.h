// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/layout/WindowLayout.h"

#include <windows.h>

namespace pollwick::win {

// Twips to pixels at the system's DPI: 15 twips to a pixel at 96, rounded
// to the nearest pixel as the layout tables' own pixels() rounds.
class Scale final
{
public:
    explicit Scale(int dpi)
        : m_dpi(dpi)
    { }
    // The DPI that the program was started with (the manifest makes it
    // system-DPI aware).
    static Scale ofSystem();

    [[nodiscard]] int dpi() const { return m_dpi; }
    [[nodiscard]] int pixels(int twips) const;
    // A twips rectangle of a layout table, in pixels.
    [[nodiscard]] RECT rect(int left, int top, int width, int height) const;

private:
    int m_dpi;
};

// The four fonts of the layout tables, made for one DPI; they go with it.
class Fonts final
{
public:
    explicit Fonts(const Scale& scale);
    ~Fonts();
    Fonts(const Fonts&) = delete;
    Fonts& operator=(const Fonts&) = delete;
    Fonts(Fonts&&) = delete;
    Fonts& operator=(Fonts&&) = delete;

    [[nodiscard]] HFONT font(layout::Font which) const;

private:
    HFONT m_arial;
    HFONT m_arialBold;
    HFONT m_window;
    HFONT m_tahoma9;
};

// The outer size of a top-level window whose client area is `width` x
// `height` pixels.
SIZE outerSize(DWORD style, DWORD exStyle, int width, int height);

// Where a window of `size` stands centred on the screen.
POINT centredOnScreen(SIZE size);

} // namespace pollwick::win
