#include "match/MatchHandlers.h"

#include "match/MatchActions.h"
#include "ui/Controls.h"
#include "ui/Form1.h"
#include "ui/WindowText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

namespace pollwick {

MatchHandlers::MatchHandlers(Form1& form)
    : m_form(form)
{ }

MatchCriteria MatchHandlers::readCriteria() const
{
    const Form1& f = m_form;
    MatchCriteria criteria;
    criteria.useVersion = isTicked(f.VersionCheck);
    criteria.versionText = toListText(f.Combo2->currentText());
    criteria.useName = isTicked(f.NameCheck);
    criteria.nameText = toListText(f.FName->text());
    criteria.useAddress = isTicked(f.IPCheck);
    criteria.addressText = toListText(f.fIP->text());
    criteria.useGameType = isTicked(f.GameCheck);
    criteria.gameTypeText = toListText(f.Combo3->currentText());
    criteria.includePrivate = isTicked(f.ScanCheck);
    return criteria;
}

MatchVerdict MatchHandlers::testRecord(ServerRecord& record, ParsedFields fromLine)
{
    const MatchVerdict verdict = pollwick::testRecord(record, readCriteria(), m_form.MatchArmed);
    if (verdict == MatchVerdict::Match && m_form.MatchArmed == 1) {
        m_form.actions().runMatchActions(record, fromLine);
    }
    return verdict;
}

void MatchHandlers::VersionCheck_Click()
{
    enableIfTicked(m_form.Combo2, m_form.VersionCheck);
}

void MatchHandlers::NameCheck_Click()
{
    enableIfTicked(m_form.FName, m_form.NameCheck);
}

void MatchHandlers::IPCheck_Click()
{
    enableIfTicked(m_form.fIP, m_form.IPCheck);
}

void MatchHandlers::GameCheck_Click()
{
    enableIfTicked(m_form.Combo3, m_form.GameCheck);
}

} // namespace pollwick
