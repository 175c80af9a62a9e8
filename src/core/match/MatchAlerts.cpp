// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/match/MatchAlerts.h"

#include "core/ShownText.h"
#include "core/settings/GamePaths.h"

namespace pollwick {
namespace {

std::string trimmedSpaces(const std::string& text)
{
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

} // namespace

bool asksForAttention(const AlertChoices& choices)
{
    return choices.sound || choices.message || choices.launch;
}

std::string serverUpText(const ServerRecord& matched, ParsedFields fromLine)
{
    std::string text = trimmedSpaces(shownUtf8(matched.serverName));
    const std::string players = trimmedSpaces(shownUtf8(matched.players));
    if (fromLine.has(ParsedFields::Players) && !players.empty()) {
        text += "\n" + players + " players";
    }
    // The match test leaves the address lower-cased: "private" for a
    // private server.
    const std::string address = trimmedSpaces(shownUtf8(matched.ipAddress));
    if (fromLine.has(ParsedFields::IpAddress) && !address.empty()) {
        text += "\n" + (address == "private" ? std::string("private server") : address);
    }
    return text;
}

LaunchDecision decideLaunch(const ServerRecord& matched, ParsedFields fromLine,
                            const GamePaths& paths)
{
    const std::variant<LaunchPlan, NoLaunch> plan = planLaunch(matched, fromLine);
    if (const auto* refused = std::get_if<NoLaunch>(&plan)) {
        return *refused;
    }
    const LaunchPlan& launch = std::get<LaunchPlan>(plan);
    const std::string& program = paths.of(launch.edition);
    if (program.empty()) {
        return NoStart::NoPath;
    }
    return GameStart{program, launch.connectAddress};
}

std::string whyNotStarted(const LaunchDecision& decision, const ServerRecord& matched)
{
    if (const auto* refused = std::get_if<NoLaunch>(&decision)) {
        switch (*refused) {
        case NoLaunch::PrivateServer:
            return "the server is private";
        case NoLaunch::NoVersion:
            // A version on the row came from an earlier line.
            return "its line gives no version";
        case NoLaunch::NoAddress:
            return "its line gives no address";
        case NoLaunch::NotAnAddress:
            return "\"" + trimmedSpaces(shownUtf8(matched.ipAddress)) + "\" is not an address";
        }
    }
    if (const auto* notStarted = std::get_if<NoStart>(&decision)) {
        const std::string version = shownUtf8(matched.version);
        switch (*notStarted) {
        case NoStart::NoPath:
            return "no game path is set for " + version + " (Wombix Paths)";
        }
    }
    return {};
}

std::string cannotBeStarted(const GameStart& start)
{
    return start.program + " cannot be started";
}

} // namespace pollwick
