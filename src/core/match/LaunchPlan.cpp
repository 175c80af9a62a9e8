// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/match/LaunchPlan.h"

#include <algorithm>
#include <cstddef>

namespace pollwick {

std::optional<GameEdition> editionForVersion(std::string_view version)
{
    if (version == "1.21" || version == "1.21 s") {
        return GameEdition::Normal;
    }
    if (version == "1.24" || version == "1.24 s") {
        return GameEdition::Ambrel;
    }
    if (version == "1.21 x") {
        return GameEdition::Corvane;
    }
    if (version == "1.24 x") {
        return GameEdition::Pellory;
    }
    return std::nullopt;
}

std::string_view editionName(GameEdition edition)
{
    switch (edition) {
    case GameEdition::Normal:
        return "Normal";
    case GameEdition::Ambrel:
        return "Ambrel";
    case GameEdition::Corvane:
        return "Corvane";
    case GameEdition::Pellory:
        return "Pellory";
    }
    return "Normal";
}

namespace {

constexpr std::size_t kMaxHostLength = 253;

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isLabelStart(char c)
{
    return isDigit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}

bool isPort(std::string_view text)
{
    if (text.empty() || text.size() > 5 || !std::all_of(text.begin(), text.end(), isDigit)) {
        return false;
    }
    unsigned value = 0;
    for (const char c : text) {
        value = value * 10 + static_cast<unsigned>(c - '0');
    }
    return value >= 1 && value <= 65535;
}

} // namespace

bool looksLikeAddress(std::string_view text)
{
    const std::size_t colon = text.find(':');
    const std::string_view host = text.substr(0, colon);
    if (colon != std::string_view::npos && !isPort(text.substr(colon + 1))) {
        return false;
    }
    if (host.empty() || host.size() > kMaxHostLength) {
        return false;
    }
    // Each label starts with a letter, a digit or "_", and goes on with those
    // or "-"; labels are separated by single dots.
    bool labelStart = true;
    for (const char c : host) {
        if (labelStart) {
            if (!isLabelStart(c)) {
                return false;
            }
            labelStart = false;
        } else if (c == '.') {
            labelStart = true;
        } else if (!isLabelStart(c) && c != '-') {
            return false;
        }
    }
    return !labelStart;
}

std::variant<LaunchPlan, NoLaunch> planLaunch(const ServerRecord& matched, ParsedFields fromLine)
{
    if (matched.ipAddress == "private") {
        return NoLaunch::PrivateServer;
    }
    const std::optional<GameEdition> edition =
        fromLine.has(ParsedFields::Version) ? editionForVersion(matched.version) : std::nullopt;
    if (!edition) {
        return NoLaunch::NoVersion;
    }
    const std::string_view address = matched.ipAddress;
    const std::size_t first = address.find_first_not_of(' ');
    if (!fromLine.has(ParsedFields::IpAddress) || first == std::string_view::npos) {
        return NoLaunch::NoAddress;
    }
    const std::string_view trimmed =
        address.substr(first, address.find_last_not_of(' ') - first + 1);
    if (!looksLikeAddress(trimmed)) {
        return NoLaunch::NotAnAddress;
    }
    return LaunchPlan{*edition, std::string(trimmed)};
}

} // namespace pollwick
