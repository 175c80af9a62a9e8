// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/Clock.h"
#include "core/scan/QueryEnd.h"

#include <cstddef>
#include <optional>
#include <string>

namespace pollwick {

// What the status line along the bottom of the main window tells.
enum class StatusKind : std::uint8_t {
    ChooseServer, // no list server chosen yet
    SetCriteria, // chosen, no scan yet
    Asking, // the first query of a scan is on its way
    Listed, // a list came
    NoList, // the last query gave no list
    Stopped, // the user stopped the scan
    Found, // a match ended the scan
};

// The last list that counted, of this scan or an earlier one.
struct LastList {
    TimeOfDay time;
    std::size_t servers = 0;

    friend bool operator==(const LastList&, const LastList&) = default;
};

// The facts behind the status line, as the scan engine keeps them.
struct StatusFacts {
    StatusKind kind = StatusKind::ChooseServer;
    TimeOfDay time; // when it happened
    std::string host; // the list server asked (UTF-8, as typed)
    QueryReport report; // Listed and NoList: how the query ended
    std::optional<LastList> lastList;
    std::string serverFound; // Found: the server's name, list text (Windows-1252)
    std::string gameNotStarted; // why the game was not started for it (UTF-8), if it was not

    friend bool operator==(const StatusFacts&, const StatusFacts&) = default;
};

// The status line's words, in UTF-8: whether polling is alive and whether it
// works: which list server is being asked, when the last list came and how
// many servers it held, and, when a query got no list, which host did not
// give one and why. What went wrong comes first, and a long host is cut in
// its middle, so that the reason stays in view however narrow the line.
std::string statusText(const StatusFacts& facts);

// "12:52:15".
std::string clockText(TimeOfDay time);

} // namespace pollwick
