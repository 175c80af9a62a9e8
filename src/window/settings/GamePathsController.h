// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>

class QWidget;

namespace pollwick {

class PathsDialog;

// The "Wombix Paths" button of the main window.
class GamePathsController final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(GamePathsController)

public:
    GamePathsController(PathsDialog& pathsDialog, QWidget& mainWindow);
    ~GamePathsController() override;

    // Shows the dialog with the stored paths and disables the main window
    // until the dialog gives it back.
    void openPathsDialog();

private:
    PathsDialog& m_paths;
    QWidget& m_mainWindow;
};

} // namespace pollwick
