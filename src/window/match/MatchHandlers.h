// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/ServerRecord.h"
#include "core/match/MatchTest.h"
#include "window/scan/ListExchange.h"

#include <QObject>

namespace Ui {
class MainWindow;
}

namespace pollwick {

class MatchActions;
class ScanSession;

// The match test as the window runs it, and the criterion boxes that switch
// their fields.
class MatchHandlers final : public QObject, public RecordTest
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MatchHandlers)

public:
    // Reads the criteria from `controls`; a server passed over arms
    // `session`'s alert again, and a match while it is armed runs `actions`.
    MatchHandlers(const Ui::MainWindow& controls, ScanSession& session, MatchActions& actions,
                  QObject* parent = nullptr);
    ~MatchHandlers() override;

    // The criteria as the controls hold them now, enabled or not.
    [[nodiscard]] MatchCriteria readCriteria() const;

    // Tests the record against the criteria and, on a match while the alert
    // is armed, runs the match actions before it returns.
    MatchVerdict testRecord(ServerRecord& record, ParsedFields fromLine) override;

    void enableVersionField(); // the version box while "Version" is ticked
    void enableNameField(); // the name box while "Name" is ticked
    void enableAddressField(); // the address box while "IP" is ticked
    void enableGameTypeField(); // the game-type box while "Game Type" is ticked

private:
    const Ui::MainWindow& m_controls;
    ScanSession& m_session;
    MatchActions& m_actions;
};

} // namespace pollwick
