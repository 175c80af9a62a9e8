// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "win32/Metrics.h"

namespace pollwick::win {
namespace {

constexpr int kTwipsPerInch = 1440;
constexpr int kPointsPerInch = 72;

// A font of `hundredths` of a point (825 for 8.25 pt), by its height in
// pixels: negative, the height of its characters without the leading.
HFONT makeFont(const wchar_t* face, int hundredths, LONG weight, const Scale& scale)
{
    LOGFONTW font{};
    font.lfHeight = -MulDiv(hundredths, scale.dpi(), kPointsPerInch * 100);
    font.lfWeight = weight;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfOutPrecision = OUT_TT_PRECIS;
    font.lfQuality = DEFAULT_QUALITY;
    lstrcpynW(font.lfFaceName, face, LF_FACESIZE);
    return CreateFontIndirectW(&font);
}

// The system's message font, which dialogs use: Segoe UI 9 pt on Windows
// today, Tahoma 8 pt under Wine.
HFONT makeDialogFont()
{
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0) == FALSE) {
        return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    }
    return CreateFontIndirectW(&metrics.lfMessageFont);
}

} // namespace

Scale Scale::ofSystem()
{
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return Scale(dpi > 0 ? dpi : USER_DEFAULT_SCREEN_DPI);
}

int Scale::pixels(int twips) const
{
    // Half a pixel rounds down, as 15 twips to the pixel does at 96 DPI.
    const long long scaled = static_cast<long long>(twips) * m_dpi;
    const long long half = kTwipsPerInch / 2;
    return static_cast<int>(scaled >= 0 ? (scaled + half) / kTwipsPerInch
                                        : -((-scaled + half) / kTwipsPerInch));
}

RECT Scale::rect(int left, int top, int width, int height) const
{
    const int x = pixels(left);
    const int y = pixels(top);
    return RECT{x, y, x + pixels(width), y + pixels(height)};
}

Fonts::Fonts(const Scale& scale)
    : m_arial(makeFont(L"Arial", 825, FW_NORMAL, scale))
    , m_arialBold(makeFont(L"Arial", 825, FW_BOLD, scale))
    , m_window(makeDialogFont())
    , m_tahoma9(makeFont(L"Tahoma", 900, FW_NORMAL, scale))
{ }

Fonts::~Fonts()
{
    for (HFONT font : {m_arial, m_arialBold, m_window, m_tahoma9}) {
        DeleteObject(font);
    }
}

HFONT Fonts::font(layout::Font which) const
{
    switch (which) {
    case layout::Font::Arial:
        return m_arial;
    case layout::Font::ArialBold:
        return m_arialBold;
    case layout::Font::WindowFont:
        return m_window;
    case layout::Font::Tahoma9:
        return m_tahoma9;
    }
    return m_window;
}

SIZE outerSize(DWORD style, DWORD exStyle, int width, int height)
{
    RECT rect{0, 0, width, height};
    AdjustWindowRectEx(&rect, style, FALSE, exStyle);
    return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

POINT centredOnScreen(SIZE size)
{
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    return POINT{(screenWidth - size.cx) / 2, (screenHeight - size.cy) / 2};
}

} // namespace pollwick::win
