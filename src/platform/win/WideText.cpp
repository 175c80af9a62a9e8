// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/win/WideText.h"

#include <climits>
#include <windows.h>

namespace pollwick::win {

std::wstring toWide(std::string_view utf8)
{
    if (utf8.empty() || utf8.size() > INT_MAX) {
        return {};
    }
    const auto size = static_cast<int>(utf8.size());
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
    if (length <= 0) {
        return {};
    }
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), length);
    return wide;
}

std::string toUtf8(std::wstring_view utf16)
{
    if (utf16.empty() || utf16.size() > INT_MAX) {
        return {};
    }
    const auto size = static_cast<int>(utf16.size());
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, utf16.data(), size, nullptr, 0, nullptr, nullptr);
    if (length <= 0) {
        return {};
    }
    std::string utf8(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, utf16.data(), size, utf8.data(), length, nullptr, nullptr);
    return utf8;
}

std::wstring fitText(std::wstring_view text, std::size_t capacity)
{
    if (capacity == 0) {
        return {};
    }
    if (text.size() < capacity) {
        return std::wstring(text);
    }
    std::size_t length = capacity - 1;
    // A high surrogate at the end would lose the low one after it.
    if (length > 0 && IS_HIGH_SURROGATE(text[length - 1])) {
        --length;
    }
    return std::wstring(text.substr(0, length));
}

} // namespace pollwick::win
