#pragma once

#include "match/MatchTest.h"
#include "scan/ServerRecord.h"

namespace pollwick {

class Form1;

// The match test as the window runs it, and the criterion boxes that switch
// their fields.
class MatchHandlers final
{
public:
    explicit MatchHandlers(Form1& form);

    // The criteria as the controls hold them now, enabled or not.
    [[nodiscard]] MatchCriteria readCriteria() const;

    // The walk's test hook: tests the record against the criteria and, on a
    // match while the alert is armed, runs the match actions before it
    // returns.
    MatchVerdict testRecord(ServerRecord& record, ParsedFields fromLine);

    void VersionCheck_Click(); // Combo2 usable while ticked
    void NameCheck_Click(); // FName
    void IPCheck_Click(); // fIP
    void GameCheck_Click(); // Combo3

private:
    Form1& m_form;
};

} // namespace pollwick
