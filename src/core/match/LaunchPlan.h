// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/ServerRecord.h"

#include <optional>
#include <string>
#include <string_view>
#include <variant>

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

// Why a match starts no game.
enum class NoLaunch {
    PrivateServer, // private servers are never joined
    NoVersion, // the matched line gave no version of its own
    NoAddress, // the matched line gave no address
    NotAnAddress, // what the line gave does not look like an address
};

// Whether `text` may follow "-connect": a host name or IP address, with an
// optional port. Letters, digits, "_" and "-" in labels separated by single
// dots, not beginning with "-" or a dot, at most 253 characters; then
// perhaps ":" and a port from 1 to 65535. No spaces, quotes or anything a
// game's own command line could read as an option or split apart.
bool looksLikeAddress(std::string_view text);

// Decides whether the matched record may start the game. Private servers
// are never launched. The record carries fields over from earlier lines, so
// only a version and an address that the matched line supplied itself are
// trusted: otherwise the game would connect to another server, or start the
// wrong edition. The address comes from the list server: the game starts
// only when it looks like an address.
//
// The command line reads "<path> -connect <address>". It is never handed to a
// shell: the address is one argument, without the spaces around it (the
// record keeps the entry's three leading spaces).
std::variant<LaunchPlan, NoLaunch> planLaunch(const ServerRecord& matched, ParsedFields fromLine);

} // namespace pollwick
