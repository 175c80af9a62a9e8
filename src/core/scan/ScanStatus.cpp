// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/scan/ScanStatus.h"

#include "core/ListServerProtocol.h"
#include "core/ShownText.h"

#include <array>
#include <cstdio>
#include <string_view>

namespace pollwick {
namespace {

// A host longer than this many characters is cut in its middle.
constexpr std::size_t kShownHostCharacters = 48;

// "every 5 s".
std::string everyInterval()
{
    return "every " + std::to_string(kRequeryIntervalMs / 1000) + " s";
}

bool startsCharacter(char byte)
{
    return (static_cast<unsigned char>(byte) & 0xC0U) != 0x80U;
}

// The host as typed (UTF-8), its middle left out when it is long, so that
// what follows it on the line stays in view.
std::string shownHost(const std::string& host)
{
    std::size_t characters = 0;
    for (const char byte : host) {
        characters += startsCharacter(byte) ? 1U : 0U;
    }
    if (characters <= kShownHostCharacters) {
        return host;
    }
    const std::size_t keep = (kShownHostCharacters - 1) / 2;
    // The byte where character number `n` (from 0) starts.
    const auto byteOf = [&](std::size_t n) {
        std::size_t seen = 0;
        for (std::size_t at = 0; at < host.size(); ++at) {
            if (startsCharacter(host[at]) && seen++ == n) {
                return at;
            }
        }
        return host.size();
    };
    return host.substr(0, byteOf(keep)) + "\u2026" + host.substr(byteOf(characters - keep));
}

std::string lastListText(const LastList& last)
{
    return "Last list " + clockText(last.time) + ": " + serverCount(last.servers);
}

std::string trimmedSpaces(const std::string& text)
{
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string baseText(const StatusFacts& facts)
{
    const std::string time = clockText(facts.time);
    switch (facts.kind) {
    case StatusKind::ChooseServer:
        return "Choose a list server to begin.";
    case StatusKind::SetCriteria:
        return "Set what to look for, then press Go.";
    case StatusKind::Asking:
        return facts.host.empty()
            ? "No list server given; trying " + everyInterval() + "..."
            : "Asking " + shownHost(facts.host) + " " + everyInterval() + "...";
    case StatusKind::Listed: {
        std::string text = time + "  " + serverCount(facts.report.listed) + " listed";
        if (facts.report.limit != ResponseLimit::None) {
            text += ", the rest not read (" + limitReached(facts.report) + ")";
        }
        return text;
    }
    case StatusKind::NoList: {
        // What went wrong comes first: the line is cut at the window's edge,
        // and its tool tip holds the rest.
        std::string text = facts.host.empty()
            ? time + "  No list server given, trying " + everyInterval() + "."
            : time + "  " + shownHost(facts.host) + ": " + whyNoList(facts.report) + ", trying " +
                everyInterval() + ".";
        if (facts.lastList) {
            text += " " + lastListText(*facts.lastList);
        }
        return text;
    }
    case StatusKind::Stopped:
        return facts.lastList ? "Stopped. " + lastListText(*facts.lastList) + "." : "Stopped.";
    case StatusKind::Found:
        return time + "  Found: " + trimmedSpaces(shownUtf8(facts.serverFound));
    }
    return {};
}

} // namespace

std::string clockText(TimeOfDay time)
{
    std::array<char, 16> text{};
    std::snprintf(text.data(), text.size(), "%02d:%02d:%02d", time.hour % 100, time.minute % 100,
                  time.second % 100);
    return text.data();
}

std::string statusText(const StatusFacts& facts)
{
    std::string text = baseText(facts);
    if (!facts.gameNotStarted.empty()) {
        text += ". Game not started: " + facts.gameNotStarted + ".";
    }
    return text;
}

} // namespace pollwick
