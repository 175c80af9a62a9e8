// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/settings/PathsDialog.h"

#include "core/Texts.h"
#include "platform/Dialogs.h"
#include "window/Appearance.h"
#include "window/Twips.h"
#include "window/WindowText.h"
#include "window/settings/ui_PathsDialog.h"

#include <QLineEdit>
#include <QPushButton>
#include <QWindow>

namespace pollwick {

PathsDialog::PathsDialog(SettingsStore& settings, FileDialog& fileDialog, MessageBox& messageBox,
                         QWidget& mainWindow)
    : QDialog(nullptr,
              Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                  Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
    , m_ui(std::make_unique<Ui::PathsDialog>())
    , m_stored(settings)
    , m_fileDialog(fileDialog)
    , m_messageBox(messageBox)
    , m_mainWindow(mainWindow)
{
    m_ui->setupUi(this);
    centerOnFirstShow(this);
    setFont(windowFont(WindowFont::Arial));

    const Ui::PathsDialog& c = *m_ui;
    connect(c.normalButton, &QPushButton::clicked, this, [this] { browse(m_ui->normalEdit); });
    connect(c.corvaneButton, &QPushButton::clicked, this, [this] { browse(m_ui->corvaneEdit); });
    connect(c.ambrelButton, &QPushButton::clicked, this, [this] { browse(m_ui->ambrelEdit); });
    connect(c.pelloryButton, &QPushButton::clicked, this, [this] { browse(m_ui->pelloryEdit); });
    connect(c.acceptButton, &QPushButton::clicked, this, &PathsDialog::acceptPaths);
}

PathsDialog::~PathsDialog() = default;

void PathsDialog::reload()
{
    const GamePaths stored = m_stored.load();
    m_ui->normalEdit->setText(fromUtf8(stored.normal));
    m_ui->ambrelEdit->setText(fromUtf8(stored.ambrel));
    m_ui->corvaneEdit->setText(fromUtf8(stored.corvane));
    m_ui->pelloryEdit->setText(fromUtf8(stored.pellory));
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
    return {toUtf8(m_ui->normalEdit->text()), toUtf8(m_ui->ambrelEdit->text()),
            toUtf8(m_ui->corvaneEdit->text()), toUtf8(m_ui->pelloryEdit->text())};
}

void PathsDialog::browse(QLineEdit* target)
{
    const std::optional<QString> chosen =
        m_fileDialog.openFile(this, texts::kGameExecutable, m_lastFile);
    if (!chosen) {
        return;
    }
    m_lastFile = *chosen;
    target->setText(*chosen);
}

void PathsDialog::acceptPaths()
{
    const bool stored = m_stored.accept(workingCopy());
    m_mainWindow.setEnabled(true);
    // Paths the store could not keep stay in use, and a reload gives them
    // back rather than the old ones; the person learns that they were not
    // kept.
    reload();
    if (!stored) {
        m_messageBox.show(this, fromUtf8(m_stored.notSavedMessage()),
                          fromUtf8(texts::kProgramTitle));
    }
    hide();
}

void PathsDialog::reject()
{
    m_mainWindow.setEnabled(true);
    hide();
}

} // namespace pollwick
