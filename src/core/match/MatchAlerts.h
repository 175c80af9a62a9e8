// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/ServerRecord.h"
#include "core/match/LaunchPlan.h"

#include <string>
#include <variant>

namespace pollwick {

struct GamePaths;

// The alerts the person ticked in "Notify Configuration", as they stand when
// a match comes. A front end runs them in this order: the attention marks
// (when any is ticked), the sound (played to its end), the "Server Up"
// message box (until closed), then the game.
struct AlertChoices {
    bool sound = false; // "Play Wav File"
    bool message = false; // "Message Box"
    bool launch = false; // "Launch Wombix When Server is Found"
};

// A person who ticked no alert chose not to be told: the scan ends with the
// status line alone. Otherwise the window is marked in the task bar and a
// "Server Up" notification goes out first, as the window may be hidden
// behind a full-screen game.
bool asksForAttention(const AlertChoices& choices);

// The notification's body (UTF-8): the server's name as the list shows it,
// its players and its address, each on a line of its own. Players and
// address that the matched line did not give itself belong to an earlier
// line, and are left out rather than shown for this server.
std::string serverUpText(const ServerRecord& matched, ParsedFields fromLine);

// The game to start for a match: the edition's executable (UTF-8, as the
// person gave it), then "-connect" and the address, as separate arguments.
struct GameStart {
    std::string program;
    std::string connectAddress;

    friend bool operator==(const GameStart&, const GameStart&) = default;
};

// Why a match starts no game, beyond the record itself.
enum class NoStart {
    NoPath, // no path is set for the edition
};

using LaunchDecision = std::variant<GameStart, NoLaunch, NoStart>;

// What a match with "Launch Wombix" ticked starts, from the record (see
// planLaunch()) and the working copy of the game paths.
LaunchDecision decideLaunch(const ServerRecord& matched, ParsedFields fromLine,
                            const GamePaths& paths);

// Why the game was not started, for the status line (UTF-8): "its line
// gives no version", "no game path is set for 1.24 (Wombix Paths)", ...
// Empty for a GameStart.
std::string whyNotStarted(const LaunchDecision& decision, const ServerRecord& matched);
// The same when the system could not start what the path names.
std::string cannotBeStarted(const GameStart& start);

} // namespace pollwick
