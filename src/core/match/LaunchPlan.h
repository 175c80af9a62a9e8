#pragma once

#include "core/ServerRecord.h"

#include <optional>
#include <string>
#include <string_view>

namespace pollwick {

// The four editions of the game, each with its own executable.
enum class GameEdition {
    Normal, // 1.21 and 1.21 s
    Ambrel, // 1.24 and 1.24 s
    Corvane, // 1.21 x
    Pellory, // 1.24 x
};

// The edition that plays a server of this version; none for any other text.
std::optional<GameEdition> editionForVersion(std::string_view version);

// The settings key and path-box name of an edition: "Normal", "Ambrel", ...
std::string_view editionName(GameEdition edition);

// What a match may start: the edition, and the one argument that follows
// "-connect".
struct LaunchPlan {
    GameEdition edition = GameEdition::Normal;
    std::string connectAddress;
};

// Decides whether the matched record may start the game. Private servers
// are never launched. The record carries fields over from earlier lines, so
// only a version and an address that the matched line supplied itself are
// trusted: otherwise the game would connect to another server, or start the
// wrong edition. An address of spaces alone names no server and starts
// nothing.
//
// The command line reads "<path> -connect <address>". It is never handed to a
// shell: the address is one argument, without the spaces around it (the
// record keeps the entry's three leading spaces), so that nothing a list
// server sends can add an argument or a command.
std::optional<LaunchPlan> planLaunch(const ServerRecord& matched, ParsedFields fromLine);

} // namespace pollwick
