#pragma once

#include "scan/ServerRecord.h"

#include <QString>

namespace pollwick {

class Form1;

// What a match does: ends the scan, then alerts the user as chosen in
// "Notify Configuration" (a sound, the "Server Up" message box) and may start
// the game edition that plays the matched server's version, connected to it.
class MatchActions final
{
public:
    explicit MatchActions(Form1& form);

    // Runs on a match while the alert is armed; returns when the sound has
    // played and the message box is closed.
    void runMatchActions(const ServerRecord& matched, ParsedFields fromLine);

    void WaveCheck_Click(); // WaveFile and its "..." usable while ticked
    void MsgCheck_Click(); // MsgMsg usable while ticked
    // Chooses the wave file.
    void Command3_Click();

private:
    void launchGame(const ServerRecord& matched, ParsedFields fromLine);

    Form1& m_form;
    QString m_lastWaveFile; // the chooser starts where it was left
};

} // namespace pollwick
