// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "win32/LayoutControls.h"

#include "win32/Metrics.h"
#include "win32/WideText.h"

#include <algorithm>
#include <commctrl.h>
#include <numeric>
#include <utility>

namespace pollwick::win {
namespace {

using layout::Kind;

struct ClassAndStyle {
    const wchar_t* windowClass;
    DWORD style;
    DWORD exStyle;
};

ClassAndStyle classAndStyle(Kind kind)
{
    constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
    switch (kind) {
    case Kind::Frame:
        return {WC_BUTTONW, kChild | BS_GROUPBOX, 0};
    case Kind::CheckBox:
        return {WC_BUTTONW, kChild | WS_TABSTOP | BS_AUTOCHECKBOX, 0};
    case Kind::Button:
        return {WC_BUTTONW, kChild | WS_TABSTOP | BS_PUSHBUTTON, 0};
    case Kind::TextBox:
        return {WC_EDITW, kChild | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case Kind::ComboBox:
        return {WC_COMBOBOXW, kChild | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, 0};
    case Kind::Label:
        return {WC_STATICW, kChild | SS_LEFT | SS_NOPREFIX, 0};
    case Kind::ListView:
        return {WC_LISTVIEWW,
                kChild | WS_TABSTOP | LVS_REPORT | LVS_OWNERDATA | LVS_SINGLESEL |
                    LVS_SHOWSELALWAYS,
                WS_EX_CLIENTEDGE};
    case Kind::Picture:
        return {WC_STATICW, kChild | SS_BITMAP | SS_REALSIZECONTROL, 0};
    }
    return {WC_STATICW, kChild, 0};
}

// How many items a drop-down shows when it opens.
constexpr int kDroppedItems = 8;

// An editable drop-down's height is that of its edit field, which follows
// from the font; Windows takes the height given at creation for the opened
// list. The field is made as high as the layout says.
// Wine's field takes the height asked for plus 2 and says so when asked
// back, where Windows' takes it as asked: the height asked for is corrected
// by what came of it, not read back.
void fitDropDownHeight(HWND combo, int height)
{
    auto asked = static_cast<int>(SendMessageW(combo, CB_GETITEMHEIGHT, WPARAM(-1), 0));
    for (int attempt = 0; attempt < 4; ++attempt) {
        RECT closed{};
        GetWindowRect(combo, &closed);
        const int difference = height - (closed.bottom - closed.top);
        if (difference == 0) {
            return;
        }
        asked += difference;
        SendMessageW(combo, CB_SETITEMHEIGHT, WPARAM(-1), asked);
    }
}

HWND makeToolTip(HWND parent)
{
    HWND tip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                               WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, parent, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    // Long texts (the status line's) wrap instead of running off the screen.
    SendMessageW(tip, TTM_SETMAXTIPWIDTH, 0, 600);
    return tip;
}

// Where two controls of one container overlap, the one drawn on top: a
// button lies on the text box it fills ("..." in the path boxes), a text
// box on the check box whose caption area reaches under it. The one below
// gives up the overlap: Windows would otherwise paint them over each other
// in turn, as the order of making them (the tab order) puts the one below
// first.
bool liesOn(Kind above, Kind below)
{
    return (above == Kind::Button && below == Kind::TextBox) ||
        ((above == Kind::TextBox || above == Kind::ComboBox) && below == Kind::CheckBox);
}

// A check box that gives up a part of itself to a box lying on it paints
// only inside its shape: its window region keeps the mouse out of that
// part, but Wine's buttons paint their background over all of their
// rectangle all the same.
LRESULT CALLBACK paintInsideShape(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                  UINT_PTR /*id*/, DWORD_PTR /*data*/)
{
    if (message != WM_PAINT) {
        return DefSubclassProc(window, message, wParam, lParam);
    }
    PAINTSTRUCT paint{};
    HDC context = BeginPaint(window, &paint);
    HRGN shape = CreateRectRgn(0, 0, 0, 0);
    // A check box has no border: its window and client coordinates agree.
    if (GetWindowRgn(window, shape) != ERROR) {
        ExtSelectClipRgn(context, shape, RGN_AND);
    }
    DeleteObject(shape);
    DefSubclassProc(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(context),
                    PRF_CLIENT | PRF_ERASEBKGND);
    EndPaint(window, &paint);
    return 0;
}

} // namespace

std::span<const std::string_view> itemsOf(std::string_view comboName)
{
    if (comboName == "hostCombo") {
        return layout::kHostItems;
    }
    if (comboName == "versionCombo") {
        return layout::kVersionItems;
    }
    if (comboName == "gameTypeCombo") {
        return layout::kGameTypeItems;
    }
    return {};
}

LayoutControls::LayoutControls(HWND parent, const layout::Window& window, const Scale& scale,
                               const Fonts& fonts)
    : m_parent(parent)
    , m_window(window)
    , m_toolTip(makeToolTip(parent))
{
    m_entries.reserve(window.controls.size());
    for (const layout::Control& control : window.controls) {
        m_entries.push_back(Entry{&control, nullptr, control.enabled});
    }
    std::vector<std::size_t> tabOrder(m_entries.size());
    std::iota(tabOrder.begin(), tabOrder.end(), std::size_t{0});
    std::stable_sort(tabOrder.begin(), tabOrder.end(), [&](std::size_t a, std::size_t b) {
        return window.controls[a].tab < window.controls[b].tab;
    });
    for (const std::size_t index : tabOrder) {
        create(index, scale, fonts);
    }
    for (const Entry& made : m_entries) {
        apply(made);
        addToolTip(made);
    }
    yieldOverlaps(scale);
}

RECT LayoutControls::placeOf(const layout::Control& control, const Scale& scale) const
{
    int left = control.left;
    int top = control.top;
    if (!control.frame.empty()) {
        if (const layout::Control* frame = layout::find(m_window, control.frame)) {
            left += frame->left;
            top += frame->top;
        }
    }
    return scale.rect(left, top, control.width, control.height);
}

void LayoutControls::create(std::size_t index, const Scale& scale, const Fonts& fonts)
{
    Entry& made = m_entries[index];
    const layout::Control& control = *made.control;
    const ClassAndStyle kind = classAndStyle(control.kind);
    const RECT place = placeOf(control, scale);
    const int height = control.kind == Kind::ComboBox
        ? (place.bottom - place.top) * (kDroppedItems + 1)
        : place.bottom - place.top;
    const bool captioned = control.kind != Kind::ComboBox && control.kind != Kind::ListView &&
        control.kind != Kind::Picture;
    const std::wstring caption = captioned ? toWide(control.caption) : std::wstring();
    made.window = CreateWindowExW(
        kind.exStyle, kind.windowClass, caption.c_str(), kind.style, place.left, place.top,
        place.right - place.left, height, m_parent,
        // NOLINTNEXTLINE(performance-no-int-to-ptr): a child's menu is its identifier
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstId + static_cast<int>(index))),
        GetModuleHandleW(nullptr), nullptr);
    SendMessageW(made.window, WM_SETFONT, reinterpret_cast<WPARAM>(fonts.font(control.font)),
                 FALSE);

    switch (control.kind) {
    case Kind::TextBox:
        // Text boxes take text of any length.
        SendMessageW(made.window, EM_SETLIMITTEXT, 0, 0);
        break;
    case Kind::ComboBox: {
        SendMessageW(made.window, CB_LIMITTEXT, 0, 0);
        for (const std::string_view item : itemsOf(control.name)) {
            const std::wstring text = toWide(item);
            SendMessageW(made.window, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        }
        // The placeholder is the field's text, not one of the items, and no
        // item is chosen.
        SendMessageW(made.window, CB_SETCURSEL, WPARAM(-1), 0);
        setWindowText(made.window, toWide(control.caption));
        fitDropDownHeight(made.window, place.bottom - place.top);
        break;
    }
    default:
        break;
    }
}

void LayoutControls::addToolTip(const Entry& entry) const
{
    if (entry.control->toolTip.empty()) {
        return;
    }
    std::wstring text = toWide(entry.control->toolTip);
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_SUBCLASS;
    tool.lpszText = text.data();
    if (entry.control->kind == Kind::Frame) {
        // A group box lets the mouse through to the window below it: the
        // frame's tip is a place on the window.
        tool.hwnd = m_parent;
        tool.uId = static_cast<UINT_PTR>(GetDlgCtrlID(entry.window));
        GetWindowRect(entry.window, &tool.rect);
        MapWindowPoints(nullptr, m_parent, reinterpret_cast<POINT*>(&tool.rect), 2);
    } else {
        tool.uFlags |= TTF_IDISHWND;
        tool.hwnd = m_parent;
        tool.uId = reinterpret_cast<UINT_PTR>(entry.window);
    }
    SendMessageW(m_toolTip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void LayoutControls::setToolTip(std::string_view name, const std::wstring& text) const
{
    const Entry* found = entry(name);
    if (found == nullptr) {
        return;
    }
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = m_parent;
    tool.uId = reinterpret_cast<UINT_PTR>(found->window);
    std::wstring copy = text;
    // Asked without a buffer, the tip does not copy its old text out.
    if (SendMessageW(m_toolTip, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&tool)) == 0) {
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.lpszText = copy.data();
        SendMessageW(m_toolTip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
        return;
    }
    tool.lpszText = copy.data();
    SendMessageW(m_toolTip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
}

void LayoutControls::yieldOverlaps(const Scale& scale) const
{
    for (const Entry& below : m_entries) {
        HRGN shape = nullptr;
        RECT belowPlace{};
        GetWindowRect(below.window, &belowPlace);
        for (const Entry& above : m_entries) {
            if (above.control->frame != below.control->frame ||
                !liesOn(above.control->kind, below.control->kind)) {
                continue;
            }
            RECT abovePlace = placeOf(*above.control, scale);
            MapWindowPoints(m_parent, nullptr, reinterpret_cast<POINT*>(&abovePlace), 2);
            RECT overlap{};
            if (IntersectRect(&overlap, &belowPlace, &abovePlace) == FALSE) {
                continue;
            }
            if (shape == nullptr) {
                shape = CreateRectRgn(0, 0, belowPlace.right - belowPlace.left,
                                      belowPlace.bottom - belowPlace.top);
            }
            HRGN hole =
                CreateRectRgn(overlap.left - belowPlace.left, overlap.top - belowPlace.top,
                              overlap.right - belowPlace.left, overlap.bottom - belowPlace.top);
            CombineRgn(shape, shape, hole, RGN_DIFF);
            DeleteObject(hole);
            if (below.control->kind == Kind::TextBox) {
                // What is typed stays clear of the button.
                SendMessageW(below.window, EM_SETMARGINS, EC_RIGHTMARGIN,
                             MAKELPARAM(0, belowPlace.right - overlap.left + 2));
            }
        }
        if (shape != nullptr) {
            // The window owns the region from here on.
            SetWindowRgn(below.window, shape, FALSE);
            if (below.control->kind == Kind::CheckBox) {
                SetWindowSubclass(below.window, &paintInsideShape, 0, 0);
            }
        }
    }
}

HWND LayoutControls::operator[](std::string_view name) const
{
    const Entry* found = entry(name);
    return found != nullptr ? found->window : nullptr;
}

const layout::Control* LayoutControls::byId(int id) const
{
    const int index = id - kFirstId;
    if (index < 0 || index >= static_cast<int>(m_entries.size())) {
        return nullptr;
    }
    return m_entries[static_cast<std::size_t>(index)].control;
}

void LayoutControls::setEnabled(std::string_view name, bool enabled)
{
    Entry* found = entry(name);
    if (found == nullptr || found->ownEnabled == enabled) {
        return;
    }
    found->ownEnabled = enabled;
    apply(*found);
    if (found->control->kind == Kind::Frame) {
        for (const Entry& inside : m_entries) {
            if (inside.control->frame == name) {
                apply(inside);
            }
        }
    }
}

bool LayoutControls::ownEnabled(std::string_view name) const
{
    const Entry* found = entry(name);
    return found != nullptr && found->ownEnabled;
}

void LayoutControls::apply(const Entry& entry) const
{
    bool usable = entry.ownEnabled;
    if (!entry.control->frame.empty()) {
        const Entry* frame = this->entry(entry.control->frame);
        usable = usable && (frame == nullptr || frame->ownEnabled);
    }
    // A control that loses the focus as it is disabled would leave the
    // keyboard nowhere: the focus moves on first.
    HWND focus = GetFocus();
    if (!usable && (focus == entry.window || IsChild(entry.window, focus) != FALSE)) {
        SetFocus(GetNextDlgTabItem(m_parent, entry.window, FALSE));
    }
    EnableWindow(entry.window, usable ? TRUE : FALSE);
}

void LayoutControls::setTabStop(std::string_view name, bool tabStop) const
{
    const Entry* found = entry(name);
    if (found == nullptr) {
        return;
    }
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(found->window, GWL_STYLE));
    const DWORD changed = tabStop ? (style | WS_TABSTOP) : (style & ~DWORD{WS_TABSTOP});
    SetWindowLongPtrW(found->window, GWL_STYLE, static_cast<LONG_PTR>(changed));
}

const LayoutControls::Entry* LayoutControls::entry(std::string_view name) const
{
    const auto found = std::find_if(m_entries.begin(), m_entries.end(),
                                    [&](const Entry& e) { return e.control->name == name; });
    return found == m_entries.end() ? nullptr : &*found;
}

LayoutControls::Entry* LayoutControls::entry(std::string_view name)
{
    return const_cast<Entry*>(std::as_const(*this).entry(name));
}

} // namespace pollwick::win
