#include "window/match/MatchHandlers.h"

#include "window/Controls.h"
#include "window/Form1Controls.h"
#include "window/WindowText.h"
#include "window/match/MatchActions.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

namespace pollwick {

MatchHandlers::MatchHandlers(const Form1Controls& controls, std::int32_t& matchArmed,
                             MatchActions& actions)
    : m_controls(controls)
    , m_matchArmed(matchArmed)
    , m_actions(actions)
{ }

MatchCriteria MatchHandlers::readCriteria() const
{
    const Form1Controls& c = m_controls;
    MatchCriteria criteria;
    criteria.useVersion = isTicked(c.VersionCheck);
    criteria.versionText = toListText(c.Combo2->currentText());
    criteria.useName = isTicked(c.NameCheck);
    criteria.nameText = toListText(c.FName->text());
    criteria.useAddress = isTicked(c.IPCheck);
    criteria.addressText = toListText(c.fIP->text());
    criteria.useGameType = isTicked(c.GameCheck);
    criteria.gameTypeText = toListText(c.Combo3->currentText());
    criteria.includePrivate = isTicked(c.ScanCheck);
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

void MatchHandlers::VersionCheck_Click()
{
    enableIfTicked(m_controls.Combo2, m_controls.VersionCheck);
}

void MatchHandlers::NameCheck_Click()
{
    enableIfTicked(m_controls.FName, m_controls.NameCheck);
}

void MatchHandlers::IPCheck_Click()
{
    enableIfTicked(m_controls.fIP, m_controls.IPCheck);
}

void MatchHandlers::GameCheck_Click()
{
    enableIfTicked(m_controls.Combo3, m_controls.GameCheck);
}

} // namespace pollwick
