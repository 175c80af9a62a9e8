// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "window/settings/GamePaths.h"
#include "window/settings/ui_PathsDialog.h"

#include <QDialog>

#include <optional>

namespace pollwick {

class FileDialog;
class MessageBox;
class SettingsStore;

// Paths, the dialog in which the user picks the four game executables. Its
// boxes are the working copy of the paths: a launch reads them as they
// stand. It is shown without being modal while the main window is disabled,
// so timers and the scan go on behind it, and it is only ever hidden. Its
// boxes, labels and buttons (Ui::PathsDialog: normalEdit, normalButton, ...)
// are designed in PathsDialog.ui; its font is set in code, as the .ui cannot
// give it in fractions of a point.
class PathsDialog final : public QDialog, public Ui::PathsDialog
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

    void browseNormal(); // browse for the 1.21 edition (normalEdit)
    void browseCorvane(); // 1.21 x (corvaneEdit)
    void browseAmbrel(); // 1.24 (ambrelEdit)
    void browsePellory(); // 1.24 x (pelloryEdit)
    // Accept: stores the four boxes, gives the main window back and hides.
    void acceptPaths();

    // The close button and Escape: hide and give the main window back,
    // storing nothing and keeping the boxes' text.
    void reject() override;

private:
    void browse(QLineEdit* target);

    SettingsStore& m_settings;
    FileDialog& m_fileDialog;
    MessageBox& m_messageBox;
    QWidget& m_mainWindow;
    QString m_lastFile; // the file chooser starts where it was left
    // Paths accepted but not kept by the store: in use, and what a reload
    // gives, until the store takes them or the program ends.
    std::optional<GamePaths> m_unsaved;
};

} // namespace pollwick
