// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/match/MatchHandlers.h"

#include "window/MainWindowControls.h"
#include "window/WindowText.h"
#include "window/match/MatchActions.h"
#include "window/scan/ScanSession.h"
#include "window/ui_MainWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

namespace pollwick {

MatchHandlers::MatchHandlers(const Ui::MainWindow& controls, ScanSession& session,
                             MatchActions& actions, QObject* parent)
    : QObject(parent)
    , m_controls(controls)
    , m_session(session)
    , m_actions(actions)
{ }

MatchHandlers::~MatchHandlers() = default;

MatchCriteria MatchHandlers::readCriteria() const
{
    const Ui::MainWindow& c = m_controls;
    MatchCriteria criteria;
    criteria.useVersion = c.versionCheck->isChecked();
    criteria.versionText = toListText(c.versionCombo->currentText());
    criteria.useName = c.nameCheck->isChecked();
    criteria.nameText = toListText(c.nameEdit->text());
    criteria.useAddress = c.addressCheck->isChecked();
    criteria.addressText = toListText(c.addressEdit->text());
    criteria.useGameType = c.gameTypeCheck->isChecked();
    criteria.gameTypeText = toListText(c.gameTypeCombo->currentText());
    criteria.includePrivate = c.privateCheck->isChecked();
    return criteria;
}

MatchVerdict MatchHandlers::testRecord(ServerRecord& record, ParsedFields fromLine)
{
    const MatchVerdict verdict = pollwick::testRecord(record, readCriteria());
    if (verdict == MatchVerdict::PassedOverPrivate || verdict == MatchVerdict::PassedOverFull) {
        m_session.passOver();
    } else if (verdict == MatchVerdict::Match && m_session.isArmed()) {
        m_actions.runMatchActions(record, fromLine);
    }
    return verdict;
}

void MatchHandlers::enableVersionField()
{
    m_controls.versionCombo->setEnabled(m_controls.versionCheck->isChecked());
}

void MatchHandlers::enableNameField()
{
    m_controls.nameEdit->setEnabled(m_controls.nameCheck->isChecked());
}

void MatchHandlers::enableAddressField()
{
    m_controls.addressEdit->setEnabled(m_controls.addressCheck->isChecked());
}

void MatchHandlers::enableGameTypeField()
{
    m_controls.gameTypeCombo->setEnabled(m_controls.gameTypeCheck->isChecked());
}

} // namespace pollwick
