// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/MainWindowControls.h"

#include "window/ServerListView.h"
#include "window/Twips.h"
#include "window/scan/ScanSession.h"
#include "window/ui_MainWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>

namespace pollwick {

void showScanState(const Ui::MainWindow& c, ScanState state)
{
    const bool chosen = state != ScanState::AwaitingServer;
    const bool idle = state != ScanState::Scanning;
    c.criteriaGroup->setEnabled(chosen);
    c.alertsGroup->setEnabled(chosen);
    // Inside the frames, the boxes, and each field while its box is ticked,
    // between scans; nothing while scanning (the frames stay enabled, so
    // that the values remain readable).
    for (QWidget* box : {c.messageCheck, c.waveCheck, c.versionCheck, c.nameCheck, c.privateCheck,
                         c.addressCheck, c.gameTypeCheck, c.launchCheck}) {
        box->setEnabled(idle);
    }
    c.messageEdit->setEnabled(idle && c.messageCheck->isChecked());
    c.waveFileEdit->setEnabled(idle && c.waveCheck->isChecked());
    c.waveFileButton->setEnabled(idle && c.waveCheck->isChecked());
    c.versionCombo->setEnabled(idle && c.versionCheck->isChecked());
    c.nameEdit->setEnabled(idle && c.nameCheck->isChecked());
    c.addressEdit->setEnabled(idle && c.addressCheck->isChecked());
    c.gameTypeCombo->setEnabled(idle && c.gameTypeCheck->isChecked());
    c.hostCombo->setEnabled(idle);
    c.goButton->setEnabled(chosen && idle);
    c.stopButton->setEnabled(!idle);
}

void enableWaveFileIfTicked(const Ui::MainWindow& c)
{
    if (c.waveCheck->isChecked()) {
        c.waveFileButton->setEnabled(true);
        c.waveFileEdit->setEnabled(true);
    } else {
        c.waveFileEdit->setEnabled(false);
        c.waveFileButton->setEnabled(false);
    }
}

void setClientWidthTwips(QWidget& window, const Ui::MainWindow& controls, int widthTwips)
{
    window.setFixedSize(twips(widthTwips), twips(kClientHeightTwips));
    // Tab must not lose the focus in a control beyond the narrow window's edge.
    controls.serverList->setFocusPolicy(widthTwips > kNarrowClientWidthTwips ? Qt::StrongFocus
                                                                             : Qt::NoFocus);
}

} // namespace pollwick
