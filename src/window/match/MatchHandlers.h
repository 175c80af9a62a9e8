#pragma once

#include "core/ServerRecord.h"
#include "core/match/MatchTest.h"

#include <cstdint>

namespace Ui {
class MainWindow;
}

namespace pollwick {

class MatchActions;

// The match test as the window runs it, and the criterion boxes that switch
// their fields.
class MatchHandlers final
{
public:
    // `matchArmed` is the window's flag: the test raises it when it passes a
    // server over, and runs `actions` on a match while it is raised.
    MatchHandlers(const Ui::MainWindow& controls, std::int32_t& matchArmed, MatchActions& actions);

    // The criteria as the controls hold them now, enabled or not.
    [[nodiscard]] MatchCriteria readCriteria() const;

    // The walk's test hook: tests the record against the criteria and, on a
    // match while the alert is armed, runs the match actions before it
    // returns.
    MatchVerdict testRecord(ServerRecord& record, ParsedFields fromLine);

    void enableVersionField(); // versionCombo usable while ticked
    void enableNameField(); // nameEdit
    void enableAddressField(); // addressEdit
    void enableGameTypeField(); // gameTypeCombo

private:
    const Ui::MainWindow& m_controls;
    std::int32_t& m_matchArmed;
    MatchActions& m_actions;
};

} // namespace pollwick
