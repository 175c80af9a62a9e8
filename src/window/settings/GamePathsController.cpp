// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/settings/GamePathsController.h"

#include "window/settings/PathsDialog.h"

#include <QWidget>

namespace pollwick {

GamePathsController::GamePathsController(PathsDialog& pathsDialog, QWidget& mainWindow)
    : QObject(&mainWindow)
    , m_paths(pathsDialog)
    , m_mainWindow(mainWindow)
{ }

GamePathsController::~GamePathsController() = default;

void GamePathsController::openPathsDialog()
{
    m_paths.showOverMainWindow();
    m_paths.reload();
    m_mainWindow.setEnabled(false);
}

} // namespace pollwick
