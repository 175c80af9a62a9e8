// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include <optional>

class QWidget;

namespace pollwick {

// A modal file-open dialog. The filter is one entry in the form
// "Description|pattern". Returns the chosen file's full path, or nothing when
// the user cancelled or the dialog failed.
class FileDialog
{
public:
    virtual ~FileDialog() = default;
    virtual std::optional<QString> openFile(QWidget* parent, const QString& filter,
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
