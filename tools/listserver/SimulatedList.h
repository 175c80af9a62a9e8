// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Lists of game servers as a busy list server would publish them, made up
// from a seed so that every run and every test sees the same lists. Plain C++
// so that the benchmarks can use them too.
namespace pollwick::sim {

// One game server as the simulator publishes it, with what a reader of its
// line should get out of it.
struct SimulatedServer {
    std::string address; // dotted IPv4, e.g. "203.0.113.7"
    std::uint16_t port = 0;
    std::string listedName; // as written in the line, colour codes included (Windows-1252)
    std::string name; // what a reader should see: colour codes removed
    std::string gameType; // "Battle", "Ctf", "Treasure", "Coop" or "Race"
    std::string version; // "1.21", "1.21 x", "1.21 s", "1.24", "1.24 x" or "1.24 s"
    bool controlMarker = false; // a plain 1.21 or 1.24 written with two DC4 characters
    int players = 0;
    int maxPlayers = 0;
    bool isPrivate = false;

    [[nodiscard]] bool isFull() const { return players == maxPlayers && players != 0; }
};

// The one server whose name holds "Arena": it is not listed by the first
// query of a seed, and from arenaFirstQuery(seed) on it always is, public
// and never full, so that a watcher for "Arena" sees it turn up.
inline constexpr std::string_view kArenaName = "Dusk Arena";
int arenaFirstQuery(std::uint32_t seed);

// The servers up at the given query (0 = the first connection) of a seed, in
// list order: some always there, others coming and going between queries,
// player counts drifting up and down. Every response holds all five game
// types, all six versions, a private server and a full one.
std::vector<SimulatedServer> simulatedServers(std::uint32_t seed, int query);

// Exactly `count` servers, all up and without the Arena server: a list of a
// known size for measuring.
std::vector<SimulatedServer> simulatedServers(std::uint32_t seed, int query, int count);

// The line of one server, CR LF included.
std::string serverLine(const SimulatedServer& server);

// The lines of the servers, in order.
std::string responseText(const std::vector<SimulatedServer>& servers);

// responseText(simulatedServers(seed, query)).
std::string simulatedResponse(std::uint32_t seed, int query);

} // namespace pollwick::sim
