// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/win/WinPlatform.h"

namespace pollwick::win {

// GetOpenFileNameW with the one filter, starting at `initialFile`: only an
// existing file can be chosen, and the program's current folder is left as
// it was. A starting text that is no file name (the box's placeholder, say)
// does not keep the dialog from opening: it then starts empty.
class WinFileDialog final : public FileDialog
{
public:
    std::optional<std::wstring> openFile(HWND owner, texts::FileFilter filter,
                                         const std::wstring& initialFile) override;
};

// MessageBoxW with MB_OK and no icon, modal to its owner.
class WinMessageBox final : public MessageBox
{
public:
    void show(HWND owner, const std::wstring& prompt, const std::wstring& title) override;
};

// The filter as GetOpenFileNameW takes it: the description, a null, the
// pattern, and two nulls to end the list, all within the returned string.
std::wstring filterText(texts::FileFilter filter);

} // namespace pollwick::win
