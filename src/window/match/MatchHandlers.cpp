#include "window/match/MatchHandlers.h"

#include "window/Controls.h"
#include "window/WindowText.h"
#include "window/match/MatchActions.h"
#include "window/ui_MainWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

namespace pollwick {

MatchHandlers::MatchHandlers(const Ui::MainWindow& controls, std::int32_t& matchArmed,
                             MatchActions& actions)
    : m_controls(controls)
    , m_matchArmed(matchArmed)
    , m_actions(actions)
{ }

MatchCriteria MatchHandlers::readCriteria() const
{
    const Ui::MainWindow& c = m_controls;
    MatchCriteria criteria;
    criteria.useVersion = isTicked(c.versionCheck);
    criteria.versionText = toListText(c.versionCombo->currentText());
    criteria.useName = isTicked(c.nameCheck);
    criteria.nameText = toListText(c.nameEdit->text());
    criteria.useAddress = isTicked(c.addressCheck);
    criteria.addressText = toListText(c.addressEdit->text());
    criteria.useGameType = isTicked(c.gameTypeCheck);
    criteria.gameTypeText = toListText(c.gameTypeCombo->currentText());
    criteria.includePrivate = isTicked(c.privateCheck);
    return criteria;
}

MatchVerdict MatchHandlers::testRecord(ServerRecord& record, ParsedFields fromLine)
{
    const MatchVerdict verdict = pollwick::testRecord(record, readCriteria(), m_matchArmed);
    if (verdict == MatchVerdict::Match && m_matchArmed == 1) {
        m_actions.runMatchActions(record, fromLine);
    }
    return verdict;
}

void MatchHandlers::enableVersionField()
{
    enableIfTicked(m_controls.versionCombo, m_controls.versionCheck);
}

void MatchHandlers::enableNameField()
{
    enableIfTicked(m_controls.nameEdit, m_controls.nameCheck);
}

void MatchHandlers::enableAddressField()
{
    enableIfTicked(m_controls.addressEdit, m_controls.addressCheck);
}

void MatchHandlers::enableGameTypeField()
{
    enableIfTicked(m_controls.gameTypeCombo, m_controls.gameTypeCheck);
}

} // namespace pollwick
