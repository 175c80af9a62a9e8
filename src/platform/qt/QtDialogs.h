// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/Dialogs.h"

namespace pollwick {

class QtFileDialog final : public FileDialog
{
public:
    std::optional<QString> openFile(QWidget* parent, texts::FileFilter filter,
                                    const QString& initialFile) override;
};

class QtMessageBox final : public MessageBox
{
public:
    void show(QWidget* parent, const QString& prompt, const QString& title) override;
};

// Turns a one-entry filter "Description|pattern" into Qt's form. Where file
// names are case-sensitive the pattern is made to match any letter case, so
// that "wombix.exe" also finds WOMBIX.EXE copied over from Windows.
QString qtNameFilter(texts::FileFilter filter, Qt::CaseSensitivity fileNames);

} // namespace pollwick
