#pragma once

#include "window/settings/GamePaths.h"

#include <QDialog>

#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace pollwick {

class FileDialog;
class MessageBox;
class SettingsStore;

// Paths, the dialog in which the user picks the four game executables. Its
// boxes are the working copy of the paths: a launch reads them as they
// stand. It is shown without being modal while the main window is disabled,
// so timers and the scan go on behind it, and it is only ever hidden.
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
    void Reload();
    // Shows the dialog above the main window, without reloading it.
    void showOverMainWindow();
    // The boxes' text.
    [[nodiscard]] GamePaths workingCopy() const;

    void Command1_Click(); // browse for the 1.21 edition (Normal)
    void Command3_Click(); // 1.21 x (Corvane)
    void Command4_Click(); // 1.24 (Ambrel)
    void Command6_Click(); // 1.24 x (Pellory)
    // Accept: stores the four boxes, gives the main window back and hides.
    void Command7_Click();

    // The close button and Escape: hide and give the main window back,
    // storing nothing and keeping the boxes' text.
    void reject() override;

    QLabel* Label1 = nullptr;
    QLineEdit* Normal = nullptr;
    QPushButton* Command1 = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* Corvane = nullptr;
    QPushButton* Command3 = nullptr;
    QLabel* Label4 = nullptr;
    QLineEdit* Ambrel = nullptr;
    QPushButton* Command4 = nullptr;
    QLabel* Label6 = nullptr;
    QLineEdit* Pellory = nullptr;
    QPushButton* Command6 = nullptr;
    QPushButton* Command7 = nullptr;

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
