// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/Texts.h"

#include <QString>

#include <optional>

class QWidget;

namespace pollwick {

// A modal file-open dialog with one filter. Returns the chosen file's full
// path, or nothing when the person cancelled or the dialog failed.
class FileDialog
{
public:
    virtual ~FileDialog() = default;
    virtual std::optional<QString> openFile(QWidget* parent, texts::FileFilter filter,
                                            const QString& initialFile) = 0;
};

// A modal message box with one OK button and no icon. The prompt is plain
// text, never markup.
class MessageBox
{
public:
    virtual ~MessageBox() = default;
    virtual void show(QWidget* parent, const QString& prompt, const QString& title) = 0;
};

} // namespace pollwick
