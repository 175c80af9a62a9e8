// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "listserver/SimulatedList.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace pollwick::sim {
namespace {

// Servers that a seed can list; about two thirds of them are up at a time.
constexpr int kPoolSize = 140;
constexpr int kArenaSlot = 0;

// splitmix64: cheap, and good enough that neighbouring slots and queries look
// unrelated.
std::uint64_t mix(std::uint64_t x)
{
    x += 0x9E3779B97F4A7C15ULL;
    x = (x ^ (x >> 30U)) * 0xBF58476D1CE4E5B9ULL;
    x = (x ^ (x >> 27U)) * 0x94D049BB133111EBULL;
    return x ^ (x >> 31U);
}

std::uint64_t hashOf(std::uint32_t seed, int slot, std::uint64_t salt, std::uint64_t extra = 0)
{
    std::uint64_t h = mix(seed);
    h = mix(h ^ static_cast<std::uint64_t>(static_cast<std::uint32_t>(slot)));
    h = mix(h ^ salt);
    return mix(h ^ extra);
}

// Draws numbers from one hash value, a few bits at a time.
class Dice
{
public:
    explicit Dice(std::uint64_t state)
        : m_state(state)
    { }
    int below(int n)
    {
        m_state = mix(m_state);
        return static_cast<int>(m_state % static_cast<std::uint64_t>(n));
    }
    bool chance(int percent) { return below(100) < percent; }
    template <typename T, std::size_t N>
    const T& pick(const std::array<T, N>& items)
    {
        return items[static_cast<std::size_t>(below(static_cast<int>(N)))];
    }

private:
    std::uint64_t m_state;
};

// Words for names. None holds, in lower case, a game-type word, "private",
// a version or "arena": a name must not change what its line says. The
// capitalised Battle, CTF and Treasure do not count as type markers, which is
// why real servers get away with names like these.
// (Windows-1252 bytes: 0xE9 e acute, 0xF1 n tilde, 0xF6 o umlaut, 0xE2 a
// circumflex, 0xD8 O stroke, 0xDF sharp s, 0xFC u umlaut, 0xEA e circumflex.)
constexpr std::array<std::string_view, 28> kAdjectives = {
    "Frosty",     "Midnight", "Iron",   "Crimson", "Silent",  "Rusty",    "Golden",
    "Hidden",     "Wild",     "Lucky",  "Grim",    "Stormy",  "Electric", "Lazy",
    "Savage",     "Velvet",   "Broken", "Neon",    "Caf\xE9", "Se\xF1or", "K\xF6nigs",
    "Ch\xE2teau", "\xD8ster", "Noisy",  "Old",     "Blue",    "Happy",    "Mad",
};
constexpr std::array<std::string_view, 22> kNouns = {
    "Keep",
    "Fortress",
    "Canyon",
    "Harbour",
    "Valley",
    "Outpost",
    "Dungeon",
    "Garden",
    "Frontier",
    "Bunker",
    "Temple",
    "Ridge",
    "Docks",
    "Lagoon",
    "Tower",
    "Crossing",
    "Pit",
    "Market",
    "Stra\xDF"
    "e",
    "M\xFCllers Hof",
    "M\xEAl\xE9"
    "e",
    "Pi\xF1"
    "ata",
};
constexpr std::array<std::string_view, 12> kWholeNames = {
    "Battle Royale",    "CTF Only",       "Treasure Hunt", "Newbies Welcome",
    "Clan Wars",        "24/7 Action",    "Just Chill",    "Pro League",
    "Training Grounds", "Hell's Kitchen", "Mike's Place",  "L33T Zone",
};
constexpr std::array<std::string_view, 5> kClanTags = {"[XK]", "[DoW]", "=TNT=", "{RaZ}", "<<GG>>"};
constexpr std::array<std::string_view, 5> kSuffixes = {"#2", "II", "EU", "US", "24/7"};

constexpr std::array<std::string_view, 6> kVersions = {"1.21", "1.21 x", "1.21 s",
                                                       "1.24", "1.24 x", "1.24 s"};
constexpr std::array<std::string_view, 5> kTypes = {"Battle", "Ctf", "Treasure", "Coop", "Race"};
constexpr std::array<int, 6> kMaxPlayers = {8, 12, 16, 16, 16, 32};
constexpr std::array<std::string_view, 3> kNetworks = {"192.0.2.", "198.51.100.", "203.0.113."};

constexpr char kSectionSign = '\xA7';

// Puts colour codes in front of some words: a section sign and a digit, or a
// bar, as players decorate their server names.
std::string colourName(std::string_view name, Dice& dice)
{
    std::string out;
    std::size_t start = 0;
    while (start <= name.size()) {
        std::size_t end = name.find(' ', start);
        if (end == std::string_view::npos) {
            end = name.size();
        }
        if (start > 0) {
            out += ' ';
        }
        const int roll = dice.below(100);
        if (roll < 35) {
            out += kSectionSign;
            out += static_cast<char>('0' + dice.below(10));
        } else if (roll < 55) {
            out += '|';
        }
        out.append(name.substr(start, end - start));
        start = end + 1;
    }
    // A code at the very end only resets the colour.
    if (dice.chance(15)) {
        out += kSectionSign;
        out += '7';
    }
    return out;
}

std::string makeName(Dice& dice)
{
    std::string name;
    if (dice.chance(20)) {
        name.append(dice.pick(kClanTags)).append(" ");
    }
    if (dice.chance(15)) {
        name.append(dice.pick(kWholeNames));
    } else {
        name.append(dice.pick(kAdjectives)).append(" ").append(dice.pick(kNouns));
    }
    if (dice.chance(15)) {
        name.append(" ").append(dice.pick(kSuffixes));
    }
    return name;
}

// What does not change about a slot between queries.
struct Slot {
    SimulatedServer server; // players not yet set
    bool alwaysUp = false;
    bool alwaysFull = false;
    double phase = 0;
    double speed = 0;
    int period = 1;
};

Slot makeSlot(std::uint32_t seed, int slot)
{
    Dice dice(hashOf(seed, slot, 1));
    Slot s;
    SimulatedServer& server = s.server;
    server.address = std::string(dice.pick(kNetworks)) + std::to_string(1 + dice.below(254));
    server.port = static_cast<std::uint16_t>(7000 + dice.below(1000));

    const int typeRoll = dice.below(100);
    server.gameType = typeRoll < 45 ? "Battle"
        : typeRoll < 65             ? "Ctf"
        : typeRoll < 80             ? "Treasure"
        : typeRoll < 90             ? "Coop"
                                    : "Race";
    server.version = dice.pick(kVersions);
    server.isPrivate = dice.chance(12);
    server.maxPlayers = dice.pick(kMaxPlayers);
    s.alwaysUp = dice.chance(60);
    s.alwaysFull = dice.chance(4);
    s.phase = dice.below(1000) / 1000.0 * 2 * std::numbers::pi;
    s.speed = 0.2 + dice.below(500) / 1000.0;
    s.period = 2 + dice.below(7);

    // The first slots after the Arena server make sure that every response
    // shows every game type, every version, a private and a full server.
    if (slot >= 1 && slot <= 6) {
        server.version = kVersions[static_cast<std::size_t>(slot - 1)];
        server.gameType = kTypes[static_cast<std::size_t>((slot - 1) % 5)];
        server.isPrivate = false;
        s.alwaysFull = false;
        s.alwaysUp = true;
    } else if (slot == 7) {
        server.isPrivate = true;
        s.alwaysUp = true;
    } else if (slot == 8) {
        server.isPrivate = false;
        s.alwaysFull = true;
        s.alwaysUp = true;
    }
    const bool plainVersion = server.version.size() == 4;
    server.controlMarker = plainVersion && dice.chance(30);

    if (slot == kArenaSlot) {
        server.name = kArenaName;
        server.listedName = "\xA7"
                            "4Dusk |Arena";
        server.gameType = "Battle";
        server.version = "1.24";
        server.controlMarker = false;
        server.isPrivate = false;
        server.maxPlayers = 16;
    } else {
        server.name = makeName(dice);
        server.listedName = colourName(server.name, dice);
    }
    return s;
}

int playersAt(const Slot& slot, std::uint32_t seed, int slotIndex, int query)
{
    const int maximum = slot.server.maxPlayers;
    if (slotIndex == kArenaSlot) {
        return 2 +
            static_cast<int>(hashOf(seed, slotIndex, 2, static_cast<std::uint64_t>(query)) % 9);
    }
    if (slot.alwaysFull) {
        return maximum;
    }
    // A swell that overshoots both ends: servers fill up, empty out and fill
    // again, a few players at a time.
    const double level = 0.5 + 0.6 * std::sin(slot.phase + slot.speed * query);
    const auto players = static_cast<int>(std::lround(level * maximum));
    return std::clamp(players, 0, maximum);
}

bool upAt(const Slot& slot, std::uint32_t seed, int slotIndex, int query)
{
    if (slotIndex == kArenaSlot) {
        return query >= arenaFirstQuery(seed);
    }
    if (slot.alwaysUp) {
        return true;
    }
    // Up or down for `period` queries at a time.
    const auto epoch = static_cast<std::uint64_t>(query / slot.period);
    return hashOf(seed, slotIndex, 3, epoch) % 100 < 60;
}

std::string_view typeMarker(std::string_view gameType)
{
    if (gameType == "Battle") {
        return "battle";
    }
    if (gameType == "Ctf") {
        return "ctf";
    }
    if (gameType == "Treasure") {
        return "treasure";
    }
    // Coop and Race are told by five spaces before the capitalised word.
    if (gameType == "Coop") {
        return "     Coop";
    }
    return "     Race";
}

} // namespace

int arenaFirstQuery(std::uint32_t seed)
{
    return 1 + static_cast<int>(seed % 3);
}

std::vector<SimulatedServer> simulatedServers(std::uint32_t seed, int query)
{
    // A fixed order per seed, as a list server lists its servers in the
    // order they registered; the Arena server sits a third of the way down.
    std::vector<int> order(kPoolSize - 1);
    for (int i = 0; i < kPoolSize - 1; ++i) {
        order[static_cast<std::size_t>(i)] = i + 1;
    }
    Dice shuffle(hashOf(seed, -1, 4));
    for (std::size_t i = order.size() - 1; i > 0; --i) {
        std::swap(order[i],
                  order[static_cast<std::size_t>(shuffle.below(static_cast<int>(i + 1)))]);
    }
    const std::ptrdiff_t arenaAt = std::ptrdiff_t{kPoolSize / 3} + std::ptrdiff_t{seed % 10};
    order.insert(order.begin() + arenaAt, kArenaSlot);

    std::vector<SimulatedServer> servers;
    for (const int index : order) {
        Slot slot = makeSlot(seed, index);
        if (!upAt(slot, seed, index, query)) {
            continue;
        }
        slot.server.players = playersAt(slot, seed, index, query);
        servers.push_back(std::move(slot.server));
    }
    return servers;
}

std::vector<SimulatedServer> simulatedServers(std::uint32_t seed, int query, int count)
{
    std::vector<SimulatedServer> servers;
    servers.reserve(static_cast<std::size_t>(std::max(count, 0)));
    for (int index = 1; index <= count; ++index) {
        Slot slot = makeSlot(seed, index);
        slot.server.players = playersAt(slot, seed, index, query);
        servers.push_back(std::move(slot.server));
    }
    return servers;
}

std::string serverLine(const SimulatedServer& server)
{
    // address:port, the markers, the players in brackets, one space, the
    // name, CR LF. A plain version stands before three spaces or before two
    // DC4 characters; "1.24 x" and the like before one space.
    std::string line = server.address;
    line += ':';
    line += std::to_string(server.port);
    if (server.isPrivate) {
        line += " private";
    }
    line += ' ';
    line += typeMarker(server.gameType);
    line += ' ';
    line += server.version;
    if (server.version.size() == 4) {
        line += server.controlMarker ? "\x14\x14 " : "   ";
    } else {
        line += ' ';
    }
    line += '[';
    line += std::to_string(server.players);
    line += '/';
    line += std::to_string(server.maxPlayers);
    line += "] ";
    line += server.listedName;
    line += "\r\n";
    return line;
}

std::string responseText(const std::vector<SimulatedServer>& servers)
{
    std::string text;
    text.reserve(servers.size() * 64);
    for (const SimulatedServer& server : servers) {
        text += serverLine(server);
    }
    return text;
}

std::string simulatedResponse(std::uint32_t seed, int query)
{
    return responseText(simulatedServers(seed, query));
}

} // namespace pollwick::sim
