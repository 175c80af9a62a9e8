// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/MainWindowLifecycle.h"

#include "platform/Dialogs.h"
#include "platform/Timer.h"
#include "window/MainWindowControls.h"
#include "window/ServerListView.h"
#include "window/settings/PathsDialog.h"
#include "window/ui_MainWindow.h"

#include <QCheckBox>

namespace pollwick {

MainWindowLifecycle::MainWindowLifecycle(QWidget& window, const Ui::MainWindow& controls,
                                         Timer& startupCheckTimer, PathsDialog& pathsDialog,
                                         MessageBox& messageBox)
    : QObject(&window)
    , m_window(window)
    , m_controls(controls)
    , m_startupCheck(startupCheckTimer)
    , m_paths(pathsDialog)
    , m_messageBox(messageBox)
{ }

MainWindowLifecycle::~MainWindowLifecycle() = default;

void MainWindowLifecycle::load()
{
    m_paths.reload();
    m_startupCheck.setInterval(500);
    m_controls.serverList->setUpColumns();
}

void MainWindowLifecycle::checkGamePaths()
{
    m_startupCheck.setInterval(0);
    const GamePaths paths = m_paths.workingCopy();
    // A box holding only spaces counts as set.
    if (!paths.normal.isEmpty() || !paths.ambrel.isEmpty() || !paths.corvane.isEmpty() ||
        !paths.pellory.isEmpty()) {
        return;
    }
    m_messageBox.show(
        &m_window,
        QStringLiteral("Wombix Pollwick has not detected any Wombix Paths, Please Specify paths "
                       "before continuing"),
        QStringLiteral("Wombix Pollwick"));
    m_paths.showOverMainWindow();
    m_window.setEnabled(false);
}

void MainWindowLifecycle::applyListWidth()
{
    setClientWidthTwips(m_window, m_controls,
                        m_controls.showListCheck->isChecked() ? kWideClientWidthTwips
                                                              : kNarrowClientWidthTwips);
}

} // namespace pollwick
