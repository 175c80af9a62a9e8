// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/scan/ScanStatus.h"

#include "core/scan/ScanState.h"

#include <gtest/gtest.h>

#include <string>

namespace pollwick {
namespace {

StatusFacts facts(StatusKind kind, std::string host = "list.example")
{
    StatusFacts made;
    made.kind = kind;
    made.time = {9, 5, 7};
    made.host = std::move(host);
    return made;
}

TEST(ScanStatus, TheLineSaysWhatTheScanIsDoingWithTheReasonFirst)
{
    StatusFacts listedFull = facts(StatusKind::Listed);
    listedFull.report = {QueryEnd::Full, 32767, 4, ResponseLimit::Servers, 32767, true, true};
    StatusFacts refusedAfterList = facts(StatusKind::NoList);
    refusedAfterList.report.end = QueryEnd::Refused;
    refusedAfterList.lastList = LastList{{9, 4, 0}, 1};
    // A host of 60 characters keeps its first and last 23 around "…".
    StatusFacts longHost = facts(StatusKind::NoList, std::string(30, 'a') + std::string(30, 'b'));
    longHost.report.end = QueryEnd::HostNotFound;
    StatusFacts found = facts(StatusKind::Found);
    found.serverFound = std::string("  Dusk\0Arena ", 13);
    StatusFacts notStarted = found;
    notStarted.gameNotStarted = "its line gives no version";
    StatusFacts stoppedAfterList = facts(StatusKind::Stopped);
    stoppedAfterList.lastList = LastList{{23, 59, 59}, 32767};

    const struct {
        StatusFacts facts;
        std::string text;
    } cases[] = {
        {facts(StatusKind::ChooseServer), "Choose a list server to begin."},
        {facts(StatusKind::SetCriteria), "Set what to look for, then press Go."},
        {facts(StatusKind::Asking), "Asking list.example every 5 s..."},
        {facts(StatusKind::Asking, ""), "No list server given; trying every 5 s..."},
        {listedFull, "09:05:07  32,767 servers listed, the rest not read (over 32,767 servers)"},
        {refusedAfterList,
         "09:05:07  list.example: connection refused, trying every 5 s. Last list 09:04:00: 1 "
         "server"},
        {longHost,
         "09:05:07  " + std::string(23, 'a') + "\u2026" + std::string(23, 'b') +
             ": host not found, trying every 5 s."},
        {facts(StatusKind::Stopped), "Stopped."},
        {stoppedAfterList, "Stopped. Last list 23:59:59: 32,767 servers."},
        // Everything after a NUL stays, the NUL shown as its picture.
        {found, "09:05:07  Found: Dusk\u2400Arena"},
        {notStarted,
         "09:05:07  Found: Dusk\u2400Arena. Game not started: its line gives no version."},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(statusText(c.facts), c.text);
    }
}

TEST(ScanState, EachStateLetsTheRightControlsBeUsed)
{
    TickedBoxes ticked;
    ticked.wave = true;
    ticked.name = true;
    const auto usable = [&](ScanState state) { return usableControls(state, ticked); };

    UsableControls awaiting;
    awaiting.host = true;
    awaiting.boxes = true; // inside the disabled frames
    EXPECT_EQ(usable(ScanState::AwaitingServer), awaiting);

    UsableControls ready = awaiting;
    ready.criteriaFrame = true;
    ready.alertsFrame = true;
    ready.waveFile = true;
    ready.nameField = true;
    ready.go = true;
    EXPECT_EQ(usable(ScanState::Ready), ready);

    UsableControls scanning;
    scanning.criteriaFrame = true;
    scanning.alertsFrame = true;
    scanning.stop = true;
    EXPECT_EQ(usable(ScanState::Scanning), scanning);

    // Every field follows its own box.
    const struct {
        bool TickedBoxes::*box;
        bool UsableControls::*field;
    } fields[] = {
        {&TickedBoxes::message, &UsableControls::messageText},
        {&TickedBoxes::wave, &UsableControls::waveFile},
        {&TickedBoxes::version, &UsableControls::versionField},
        {&TickedBoxes::name, &UsableControls::nameField},
        {&TickedBoxes::address, &UsableControls::addressField},
        {&TickedBoxes::gameType, &UsableControls::gameTypeField},
    };
    for (const auto& f : fields) {
        TickedBoxes one;
        one.*f.box = true;
        EXPECT_TRUE(usableControls(ScanState::Ready, one).*f.field);
        EXPECT_FALSE(usableControls(ScanState::Ready, {}).*f.field);
    }
}

} // namespace
} // namespace pollwick
