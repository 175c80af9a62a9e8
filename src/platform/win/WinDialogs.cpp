// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/win/WinDialogs.h"

#include "platform/win/WideText.h"

#include <commdlg.h>
#include <vector>

namespace pollwick::win {
namespace {

// The longest path that Windows' wide functions take.
constexpr std::size_t kLongestPath = 32768;

} // namespace

std::wstring filterText(texts::FileFilter filter)
{
    std::wstring text = toWide(filter.description);
    text.push_back(L'\0');
    text += toWide(filter.pattern);
    text.push_back(L'\0');
    text.push_back(L'\0');
    return text;
}

std::optional<std::wstring> WinFileDialog::openFile(HWND owner, texts::FileFilter filter,
                                                    const std::wstring& initialFile)
{
    const std::wstring filters = filterText(filter);
    std::vector<wchar_t> file(kLongestPath, L'\0');
    if (initialFile.size() < file.size()) {
        initialFile.copy(file.data(), initialFile.size());
    }
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filters.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.Flags =
        OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (GetOpenFileNameW(&dialog) != 0) {
        return std::wstring(file.data());
    }
    if (CommDlgExtendedError() == FNERR_INVALIDFILENAME && file[0] != L'\0') {
        file.assign(file.size(), L'\0');
        if (GetOpenFileNameW(&dialog) != 0) {
            return std::wstring(file.data());
        }
    }
    return std::nullopt;
}

void WinMessageBox::show(HWND owner, const std::wstring& prompt, const std::wstring& title)
{
    ::MessageBoxW(owner, prompt.c_str(), title.c_str(), MB_OK);
}

} // namespace pollwick::win
