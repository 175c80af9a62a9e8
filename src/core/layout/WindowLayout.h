// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <span>
#include <string_view>

// The three windows as they are drawn: every control with its place and
// size in twips (1440 to the inch: 15 to a pixel at 96 dots per inch),
// caption, tab order, tool tip, font and first state. The Windows window is
// made from these tables; the Qt windows are drawn in .ui files that a test
// holds to them.
namespace pollwick::layout {

enum class Kind : std::uint8_t {
    Frame, // a captioned group box; its controls are placed inside it
    CheckBox,
    Button,
    TextBox,
    ComboBox, // editable drop-down; its caption is the placeholder text
    Label,
    ListView, // the server list, in report form
    Picture,
};

enum class Font : std::uint8_t {
    Arial, // Arial 8.25 pt
    ArialBold, // Arial 8.25 pt, bold
    WindowFont, // the window's own: the system's dialog font
    Tahoma9, // Tahoma 9 pt
};

struct Control {
    std::string_view name; // what it is: "goButton"; the Qt object name too
    Kind kind;
    std::string_view frame; // the frame it sits in; empty for the window itself
    std::string_view caption; // caption, placeholder or first text
    int left;
    int top;
    int width;
    int height;
    int tab; // tab index; frames, labels and pictures take no focus
    bool enabled;
    std::string_view toolTip;
    Font font;
};

struct Window {
    std::string_view name;
    std::string_view caption;
    int clientWidth; // twips
    int clientHeight;
    std::span<const Control> controls; // frames before their contents
};

extern const Window kMainWindow;
extern const Window kPathsDialog;
extern const Window kSplash;

// The items of the main window's drop-downs, in order.
inline constexpr std::string_view kHostItems[] = {"list.wombix.net", "list2.wombix.net"};
inline constexpr std::string_view kVersionItems[] = {"1.21", "1.21 x", "1.21 s",
                                                     "1.24", "1.24 x", "1.24 s"};
inline constexpr std::string_view kGameTypeItems[] = {"Battle", "Treasure", "Ctf", "Race", "Coop"};

// The main window's client width with the server list hidden and shown.
inline constexpr int kNarrowClientWidth = 4320;
inline constexpr int kWideClientWidth = 9825;

// Twips to pixels at 96 dots per inch, rounded to the nearest pixel.
constexpr int pixels(int twips)
{
    return (twips + (twips >= 0 ? 7 : -7)) / 15;
}

// The control named `name` in `window`; nullptr when it has none.
const Control* find(const Window& window, std::string_view name);

} // namespace pollwick::layout
