// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/settings/GamePaths.h"

#include <QDialog>

#include <memory>

class QLineEdit;

namespace Ui {
class PathsDialog;
}

namespace pollwick {

class FileDialog;
class MessageBox;

// Paths, the dialog in which the person picks the four game executables.
// Its boxes are the working copy of the paths: a launch reads them as they
// stand. It is shown without being modal while the main window is disabled,
// so timers and the scan go on behind it, and it is only ever hidden. Its
// boxes, labels and buttons (normalEdit, normalButton, ...) are designed in
// PathsDialog.ui; its font is set in code, as the .ui cannot give it in
// fractions of a point.
class PathsDialog final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PathsDialog)

public:
    // `mainWindow` is the window that waits, disabled, while the dialog is up.
    PathsDialog(SettingsStore& settings, FileDialog& fileDialog, MessageBox& messageBox,
                QWidget& mainWindow);
    ~PathsDialog() override;

    // Puts the stored paths into the boxes.
    void reload();
    // Shows the dialog above the main window, without reloading it.
    void showOverMainWindow();
    // The boxes' text.
    [[nodiscard]] GamePaths workingCopy() const;
    // Why the store could not be read, to tell the person; empty when it
    // could.
    [[nodiscard]] std::string unreadableMessage() const { return m_stored.unreadableMessage(); }

    // Accept: stores the four boxes, gives the main window back, reloads and
    // hides.
    void acceptPaths();
    // The close button and Escape: hide and give the main window back,
    // storing nothing and keeping the boxes' text.
    void reject() override;

private:
    void browse(QLineEdit* target);

    std::unique_ptr<Ui::PathsDialog> m_ui;
    StoredGamePaths m_stored;
    FileDialog& m_fileDialog;
    MessageBox& m_messageBox;
    QWidget& m_mainWindow;
    QString m_lastFile; // the file chooser starts where it was left
};

} // namespace pollwick
