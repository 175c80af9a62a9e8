// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/settings/PathsDialog.h"

#include "platform/Dialogs.h"
#include "window/Appearance.h"
#include "window/Twips.h"

#include <QLineEdit>
#include <QPushButton>
#include <QWindow>

namespace pollwick {
namespace {

const QString kExecutableFilter = QStringLiteral("Wombix File|wombix.exe");

} // namespace

PathsDialog::PathsDialog(SettingsStore& settings, FileDialog& fileDialog, MessageBox& messageBox,
                         QWidget& mainWindow)
    : QDialog(nullptr,
              Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                  Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
    , m_settings(settings)
    , m_fileDialog(fileDialog)
    , m_messageBox(messageBox)
    , m_mainWindow(mainWindow)
{
    setupUi(this);
    centerOnFirstShow(this);
    setFont(windowFont(WindowFont::Arial));

    connect(normalButton, &QPushButton::clicked, this, &PathsDialog::browseNormal);
    connect(corvaneButton, &QPushButton::clicked, this, &PathsDialog::browseCorvane);
    connect(ambrelButton, &QPushButton::clicked, this, &PathsDialog::browseAmbrel);
    connect(pelloryButton, &QPushButton::clicked, this, &PathsDialog::browsePellory);
    connect(acceptButton, &QPushButton::clicked, this, &PathsDialog::acceptPaths);
}

PathsDialog::~PathsDialog() = default;

void PathsDialog::reload()
{
    const GamePaths stored = m_unsaved ? *m_unsaved : readGamePaths(m_settings);
    normalEdit->setText(stored.normal);
    ambrelEdit->setText(stored.ambrel);
    corvaneEdit->setText(stored.corvane);
    pelloryEdit->setText(stored.pellory);
}

void PathsDialog::showOverMainWindow()
{
    // Belonging to the main window keeps the dialog out of the taskbar and
    // above the window it waits for.
    winId();
    m_mainWindow.winId();
    if (QWindow* dialog = windowHandle()) {
        dialog->setTransientParent(m_mainWindow.windowHandle());
    }
    show();
    raise();
    activateWindow();
}

GamePaths PathsDialog::workingCopy() const
{
    return {normalEdit->text(), ambrelEdit->text(), corvaneEdit->text(), pelloryEdit->text()};
}

void PathsDialog::browse(QLineEdit* target)
{
    const std::optional<QString> chosen =
        m_fileDialog.openFile(this, kExecutableFilter, m_lastFile);
    if (!chosen) {
        return;
    }
    m_lastFile = *chosen;
    target->setText(*chosen);
}

void PathsDialog::browseNormal()
{
    browse(normalEdit);
}

void PathsDialog::browseCorvane()
{
    browse(corvaneEdit);
}

void PathsDialog::browseAmbrel()
{
    browse(ambrelEdit);
}

void PathsDialog::browsePellory()
{
    browse(pelloryEdit);
}

void PathsDialog::acceptPaths()
{
    const GamePaths accepted = workingCopy();
    const bool stored = writeGamePaths(m_settings, accepted);
    m_mainWindow.setEnabled(true);
    if (stored) {
        m_unsaved.reset();
        reload();
    } else {
        // Reloading from the store, now or when the dialog is opened again,
        // would put the old paths back in the boxes and lose the user's
        // choice: it stays in use for this run, and the user learns that it
        // was not kept.
        m_unsaved = accepted;
        m_messageBox.show(
            this,
            QStringLiteral("The Wombix paths could not be saved to %1. They stay in use until "
                           "Wombix Pollwick is closed.")
                .arg(gamePathsLocation(m_settings)),
            QStringLiteral("Wombix Pollwick"));
    }
    hide();
}

void PathsDialog::reject()
{
    m_mainWindow.setEnabled(true);
    hide();
}

} // namespace pollwick
