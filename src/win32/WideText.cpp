// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "win32/WideText.h"

#include "core/ShownText.h"
#include "core/Windows1252.h"

namespace pollwick::win {
namespace {

constexpr wchar_t kEllipsis = L'\u2026';

} // namespace

std::string listBytes(std::wstring_view typed)
{
    std::string bytes;
    bytes.reserve(typed.size());
    for (std::size_t i = 0; i < typed.size(); ++i) {
        char32_t character = typed[i];
        // A pair of surrogates is one character, and Windows-1252 has none
        // beyond the first plane: one '?' for it.
        if (character >= 0xD800 && character <= 0xDBFF && i + 1 < typed.size()) {
            ++i;
            character = U'?';
        }
        bytes.push_back(static_cast<char>(cp1252::fromUnicode(character)));
    }
    return bytes;
}

std::wstring shownWide(std::string_view bytes, std::size_t most)
{
    return shownWide(shownPart(bytes, most));
}

std::wstring shownWide(const ShownPart& part)
{
    std::wstring shown;
    shown.reserve(part.kept.size() + 1);
    for (const char byte : part.kept) {
        // Every character shown is in the first plane: one UTF-16 unit.
        shown.push_back(static_cast<wchar_t>(shownCharacter(static_cast<unsigned char>(byte))));
    }
    if (part.cut) {
        shown.push_back(kEllipsis);
    }
    return shown;
}

std::wstring windowText(HWND window)
{
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return text;
}

void setWindowText(HWND window, const std::wstring& text)
{
    SetWindowTextW(window, text.c_str());
}

} // namespace pollwick::win
